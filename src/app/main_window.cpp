// The main window's life: initialisation, the Exit button, close requests, the system menu,
// the poll timer and destruction.
#include "app/main_window.h"

#include "app/application.h"
#include "app/progress_window.h"
#include "platform/ui.h"

CUpgradeUtilityDlg::CUpgradeUtilityDlg(UiThread& uiThread) : uiThread_(uiThread) {}

CUpgradeUtilityDlg::~CUpgradeUtilityDlg() {
    if (view_ != nullptr || worker_.joinable()) OnDestroy();
    if (g_theApp.MainWindow() == this) g_theApp.SetMainWindow(nullptr);
}

int CUpgradeUtilityDlg::OnInitDialog(MainWindowView& view) {
    view_ = &view;
    view.AppendSystemMenuEntry(IDM_ABOUTBOX, "&About ZarnUpgradeUtility...");
    view.SetTitle(m_strTitle);
    for (int column = 0; column < kColumnCount; ++column) {
        view.InsertColumn(column, kDeviceListColumns[column]);
    }
    view.CenterAndShow();
    return OnRefresh();
}

void CUpgradeUtilityDlg::OnDestroy() {
    // Only a window forced down during a run gets here with a worker: let it finish without a
    // window to talk to before its entry goes.
    if (worker_.joinable() && m_bUpgradeRunning.load()) uiThread_.Shutdown();
    JoinWorker();
    FreeDeviceList(g_deviceList);
    FreeProgressWindow();
    if (view_ != nullptr && m_nTimerId != 0) view_->KillTimer(m_nTimerId);
    m_nTimerId = 0;
    view_ = nullptr;
}

void CUpgradeUtilityDlg::OnExit() {
    // The Exit button is disabled during a run; a press that still arrives is refused.
    if (m_bUpgradeRunning.load()) return;
    view_->EndDialog(IDC_EXIT);
}

void CUpgradeUtilityDlg::OnClose() {
    if (m_bUpgradeRunning.load()) {
        win32::MessageBeep(win32::MB_OK);
        return;
    }
    view_->EndDialog(win32::IDCANCEL);
}

bool CUpgradeUtilityDlg::OnSysCommand(unsigned command) {
    if ((command & 0xFFF0) != IDM_ABOUTBOX) return false;
    view_->ShowAboutBox();
    return true;
}

void CUpgradeUtilityDlg::OnTimer(unsigned id) {
    // A tick that arrives after the timer was stopped belongs to no run.
    if (m_nTimerId == 0 || id != m_nTimerId) return;
    CheckUpgradeCompletion();
}

void CUpgradeUtilityDlg::JoinWorker() {
    if (worker_.joinable()) worker_.join();
}
