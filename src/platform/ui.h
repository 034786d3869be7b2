// The seam through which the library and the front ends reach the user: message boxes,
// beeps and the wait cursor. One implementation is installed per process.
#pragma once

#include <string>

#include "platform/win32_types.h"

namespace platform {

class UserInterface {
  public:
    virtual ~UserInterface() = default;
    virtual int MessageBox(win32::HWND owner, const std::string& text, const std::string& caption,
                           win32::UINT flags) = 0;
    virtual void MessageBeep(win32::UINT type) = 0;
    // Shows the wait cursor (wait true) or the normal one.
    virtual void ShowWaitCursor(bool wait) = 0;
};

// Prints boxes as "[Caption] text" to standard error and answers OK, or No to a question.
class ConsoleUserInterface : public UserInterface {
  public:
    int MessageBox(win32::HWND owner, const std::string& text, const std::string& caption,
                   win32::UINT flags) override;
    void MessageBeep(win32::UINT type) override;
    void ShowWaitCursor(bool wait) override;
};

UserInterface& CurrentUserInterface();

class ScopedUserInterface {
  public:
    explicit ScopedUserInterface(UserInterface& ui);
    ~ScopedUserInterface();
    ScopedUserInterface(const ScopedUserInterface&) = delete;
    ScopedUserInterface& operator=(const ScopedUserInterface&) = delete;

  private:
    UserInterface* previous_;
};

}  // namespace platform

namespace win32 {

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT flags);
BOOL MessageBeep(UINT type);
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name);
HCURSOR SetCursor(HCURSOR cursor);

}  // namespace win32

namespace platform {

// The wait cursor for the duration of a scope; the previous cursor comes back on every path.
class ScopedWaitCursor {
  public:
    ScopedWaitCursor()
        : previous_(win32::SetCursor(win32::LoadCursorA(nullptr, win32::IDC_WAIT))) {}
    ~ScopedWaitCursor() { win32::SetCursor(previous_); }
    ScopedWaitCursor(const ScopedWaitCursor&) = delete;
    ScopedWaitCursor& operator=(const ScopedWaitCursor&) = delete;

  private:
    win32::HCURSOR previous_;
};

}  // namespace platform
