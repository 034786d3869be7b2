// The UI seam on Qt: message boxes, beeps and the wait cursor, always on the user-interface
// thread. A box asked for on another thread is shown there while the asking thread waits.
#pragma once

#include "platform/ui.h"

namespace qtui {

class QtUserInterface : public platform::UserInterface {
  public:
    // `owner` is the QWidget* of the owning window, or null.
    int MessageBox(win32::HWND owner, const std::string& text, const std::string& caption,
                   win32::UINT flags) override;
    void MessageBeep(win32::UINT type) override;
    void ShowWaitCursor(bool wait) override;

  private:
    bool waitShown_ = false;
};

}  // namespace qtui
