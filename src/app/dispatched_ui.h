// Message boxes, beeps and the cursor shown on the user-interface thread, whichever thread
// asks: a box asked for on the worker appears on the user-interface thread while the worker
// waits for the answer.
#pragma once

#include "app/ui_thread.h"
#include "platform/ui.h"

class DispatchedUserInterface : public platform::UserInterface {
  public:
    DispatchedUserInterface(platform::UserInterface& shown, UiThread& uiThread)
        : shown_(shown), uiThread_(uiThread) {}

    int MessageBox(win32::HWND owner, const std::string& text, const std::string& caption,
                   win32::UINT flags) override;
    void MessageBeep(win32::UINT type) override;
    void ShowWaitCursor(bool wait) override;

  private:
    platform::UserInterface& shown_;
    UiThread& uiThread_;
};
