// The progress window's widgets on Windows: the modeless dialog made from its template. It
// handles WM_UPGRADE_STATUS itself, so a worker's SendMessage waits until the window has
// shown the notification.
#pragma once

#include "app/progress_window.h"
#include "app/window_views.h"

#include "app/win32/dialog_template.h"

namespace win32ui {

class ProgressWindowDialog : public ProgressWindowView {
  public:
    // Owned by `owner` (may be null); hidden until shown. Handle() is null when the dialog
    // could not be made.
    ProgressWindowDialog(HWND owner, CUpgradeProgressDlg& dlg);
    ~ProgressWindowDialog() override;
    ProgressWindowDialog(const ProgressWindowDialog&) = delete;
    ProgressWindowDialog& operator=(const ProgressWindowDialog&) = delete;

    HWND Handle() const { return window_; }

    void ShowTexts(const std::string& statusLine, const std::string& deviceLine) override;
    void ShowBar(int lower, int upper, int position) override;
    void ShowButton(const std::string& caption, bool enabled) override;
    void Show() override;
    void Repaint() override;
    void Destroy() override;
    bool SendStatus(std::uint32_t code, const tagUPDATESYSFILEINFO* info) override;

  private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    CUpgradeProgressDlg& dlg_;
    HWND window_ = nullptr;
};

}  // namespace win32ui
