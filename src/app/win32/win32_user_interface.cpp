#include "app/win32/win32_user_interface.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#undef MessageBox  // the seam's own name

namespace win32ui {

int Win32UserInterface::MessageBox(win32::HWND owner, const std::string& text,
                                   const std::string& caption, win32::UINT flags) {
    return ::MessageBoxA(static_cast<HWND>(owner), text.c_str(), caption.c_str(), flags);
}

void Win32UserInterface::MessageBeep(win32::UINT type) {
    ::MessageBeep(type);
}

void Win32UserInterface::ShowWaitCursor(bool wait) {
    ::SetCursor(::LoadCursorA(nullptr, wait ? IDC_WAIT : IDC_ARROW));
}

}  // namespace win32ui
