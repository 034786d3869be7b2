// The UI seam on Qt: message boxes, beeps and the wait cursor, always on the user-interface
// thread. A box asked for on another thread is shown there while the asking thread waits; once
// the window system has shut down, nothing is shown (widgets live on that thread only) and a
// box answers OK, or No to a question.
#pragma once

#include "app/ui_thread.h"
#include "platform/ui.h"

namespace qtui {

class QtUserInterface : public platform::UserInterface {
  public:
    explicit QtUserInterface(UiThread& uiThread) : uiThread_(uiThread) {}

    // `owner` is the QWidget* of the owning window, or null.
    int MessageBox(win32::HWND owner, const std::string& text, const std::string& caption,
                   win32::UINT flags) override;
    void MessageBeep(win32::UINT type) override;
    void ShowWaitCursor(bool wait) override;

  private:
    UiThread& uiThread_;
    bool waitShown_ = false;
};

}  // namespace qtui
