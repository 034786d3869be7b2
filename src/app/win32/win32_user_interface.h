// The seam to the user on Windows: the real message boxes, sounds and cursors.
#pragma once

#include "platform/ui.h"

namespace win32ui {

class Win32UserInterface : public platform::UserInterface {
  public:
    int MessageBox(win32::HWND owner, const std::string& text, const std::string& caption,
                   win32::UINT flags) override;
    void MessageBeep(win32::UINT type) override;
    void ShowWaitCursor(bool wait) override;
};

}  // namespace win32ui
