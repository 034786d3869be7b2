#include "app/win32/progress_window_dialog.h"

#include "app/win32/window_layouts.h"

#include <commctrl.h>

namespace win32ui {

ProgressWindowDialog::ProgressWindowDialog(HWND owner, CUpgradeProgressDlg& dlg) : dlg_(dlg) {
    const DialogTemplate layout(ProgressWindowLayout());
    window_ = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), layout.Get(), owner, Procedure,
                                         reinterpret_cast<LPARAM>(&dlg_));
}

ProgressWindowDialog::~ProgressWindowDialog() {
    Destroy();
}

// The window's logic decides everything; after OnButtonOrClose the dialog and this object may
// be gone, so nothing of either is touched after a call into the logic.
INT_PTR CALLBACK ProgressWindowDialog::Procedure(HWND window, UINT message, WPARAM wParam,
                                                 LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        return TRUE;
    }
    auto* dlg = reinterpret_cast<CUpgradeProgressDlg*>(GetWindowLongPtrA(window, DWLP_USER));
    if (dlg == nullptr) return FALSE;
    switch (message) {
        case WM_UPGRADE_STATUS:
            dlg->OnUpgradeStatus(static_cast<std::uint32_t>(wParam),
                                 reinterpret_cast<const tagUPDATESYSFILEINFO*>(lParam));
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) != IDC_PROGRESS_BUTTON && LOWORD(wParam) != IDCANCEL) return FALSE;
            dlg->OnButtonOrClose();
            return TRUE;
        case WM_CLOSE:
            dlg->OnButtonOrClose();
            return TRUE;
        default:
            return FALSE;
    }
}

void ProgressWindowDialog::ShowTexts(const std::string& statusLine, const std::string& deviceLine) {
    SetDlgItemTextA(window_, IDC_STATUS_LINE, statusLine.c_str());
    SetDlgItemTextA(window_, IDC_DEVICE_LINE, deviceLine.c_str());
}

void ProgressWindowDialog::ShowBar(int lower, int upper, int position) {
    HWND bar = GetDlgItem(window_, IDC_PROGRESS_BAR);
    SendMessageA(bar, PBM_SETRANGE32, static_cast<WPARAM>(lower), upper);
    SendMessageA(bar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void ProgressWindowDialog::ShowButton(const std::string& caption, bool enabled) {
    SetDlgItemTextA(window_, IDC_PROGRESS_BUTTON, caption.c_str());
    EnableWindow(GetDlgItem(window_, IDC_PROGRESS_BUTTON), enabled);
}

void ProgressWindowDialog::Show() {
    ShowWindow(window_, SW_SHOW);
}

void ProgressWindowDialog::Repaint() {
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// On the window's own thread: the dialog procedure has run the handler when this returns.
bool ProgressWindowDialog::SendStatus(std::uint32_t code, const tagUPDATESYSFILEINFO* info) {
    if (window_ == nullptr || !IsWindow(window_)) return false;
    SendMessageA(window_, WM_UPGRADE_STATUS, code, reinterpret_cast<LPARAM>(info));
    return true;
}

// The window may be inside one of its own handlers: it no longer reaches the logic.
void ProgressWindowDialog::Destroy() {
    if (window_ == nullptr) return;
    HWND window = window_;
    window_ = nullptr;
    SetWindowLongPtrA(window, DWLP_USER, 0);
    DestroyWindow(window);
}

}  // namespace win32ui
