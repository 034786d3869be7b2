// The worker's hand-over to the user-interface thread on Windows: a synchronous SendMessage
// to a message-only window of that thread, so the worker waits until the task has run.
#pragma once

#include <atomic>

#include "app/ui_thread.h"

#include "app/win32/dialog_template.h"

namespace win32ui {

class Win32UiThread : public UiThread {
  public:
    // Made on the user-interface thread.
    Win32UiThread();
    ~Win32UiThread() override;
    Win32UiThread(const Win32UiThread&) = delete;
    Win32UiThread& operator=(const Win32UiThread&) = delete;

    bool Send(const std::function<void()>& task) override;
    void Shutdown() override;

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void ReleaseWaitingSenders();

    DWORD threadId_;
    HWND window_ = nullptr;
    std::atomic<bool> shutDown_{false};
};

}  // namespace win32ui
