#include "platform/ui.h"

#include <atomic>
#include <cstdint>
#include <cstdio>

namespace platform {
namespace {

std::atomic<UserInterface*> g_installedUi{nullptr};

UserInterface& ConsoleUi() {
    static ConsoleUserInterface console;
    return console;
}

}  // namespace

int ConsoleUserInterface::MessageBox(win32::HWND, const std::string& text,
                                     const std::string& caption, win32::UINT flags) {
    std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
    return (flags & win32::MB_TYPEMASK) == win32::MB_YESNO ? win32::IDNO : win32::IDOK;
}

void ConsoleUserInterface::MessageBeep(win32::UINT) {}
void ConsoleUserInterface::ShowWaitCursor(bool) {}

UserInterface& CurrentUserInterface() {
    UserInterface* installed = g_installedUi.load(std::memory_order_acquire);
    return installed != nullptr ? *installed : ConsoleUi();
}

ScopedUserInterface::ScopedUserInterface(UserInterface& ui)
    : previous_(g_installedUi.exchange(&ui, std::memory_order_acq_rel)) {}

ScopedUserInterface::~ScopedUserInterface() {
    g_installedUi.store(previous_, std::memory_order_release);
}

}  // namespace platform

namespace win32 {
namespace {

// Cursor handles are the resource ids they were loaded from.
std::atomic<HCURSOR> g_cursor{const_cast<char*>(IDC_ARROW)};

}  // namespace

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT flags) {
    return platform::CurrentUserInterface().MessageBox(owner, text ? text : "",
                                                       caption ? caption : "Error", flags);
}

BOOL MessageBeep(UINT type) {
    platform::CurrentUserInterface().MessageBeep(type);
    return TRUE;
}

HCURSOR LoadCursorA(HINSTANCE, LPCSTR name) {
    return const_cast<char*>(name);
}

HCURSOR SetCursor(HCURSOR cursor) {
    HCURSOR previous = g_cursor.exchange(cursor);
    platform::CurrentUserInterface().ShowWaitCursor(cursor == IDC_WAIT);
    return previous;
}

}  // namespace win32
