// The upgrade run: "Upgrade Device..." opens the progress window, locks the window and starts
// the worker, whose notifications reach the progress window on the user-interface thread.
#include <cstdio>

#include "app/application.h"
#include "app/installation.h"
#include "app/main_window.h"
#include "app/progress_window.h"
#include "engine/upgrade.h"
#include "kpz/detection.h"
#include "platform/ui.h"

void CUpgradeUtilityDlg::UpgradeSelectedDevice() {
    if (m_bUpgradeRunning.load()) return;  // one run at a time
    const int row = view_->FirstSelectedRow();
    if (row < 0) {
        win32::MessageBoxA(view_->Handle(), "Please select a Zarn Device to upgrade.",
                           "No Device Selection", win32::MB_OK | win32::MB_ICONWARNING);
        view_->FocusControl(IDC_DEVICE_LIST);
        return;
    }
    const long position = view_->RowData(row);
    const tagDEVICEENTRY* entry = DeviceEntryAt(position);
    if (entry == nullptr) return;

    view_->SetCell(row, kColumnUpdateStatus, "Updating...");
    OpenProgressWindow(*entry);
    LockControls(true);
    m_nTimerId = view_->SetTimer(kPollTimerId, kPollTimerMilliseconds);
    m_bUpgradeRunning.store(1);
    m_bExitRequested = 0;
    m_bUpgradeErrors = 0;
    m_bReportErrors = 1;
    if (!StartWorkerThread(position)) {
        win32::MessageBoxA(view_->Handle(),
                           "Error creating the ZarnUpdate Progress thread process.  Profile "
                           "aborted.",
                           "Profiler Error", win32::MB_OK | win32::MB_ICONWARNING);
        ReturnToIdle(row);
    }
}

void CUpgradeUtilityDlg::OpenProgressWindow(const tagDEVICEENTRY& entry) {
    if (g_pProgressDlg != nullptr) {
        // A window left open by an earlier run starts afresh, so its old "Done" can't be pressed.
        g_pProgressDlg->OnInitDialog();
    } else {
        auto window = std::make_unique<CUpgradeProgressDlg>();
        if (!window->Create(*view_)) return;  // the run goes on without a progress window
        g_pProgressDlg = window.release();
    }
    char line[300];
    std::snprintf(line, sizeof line, "Device:  %s (%c:)", entry.device.desc.displayName,
                  entry.device.driveLetter);
    g_pProgressDlg->SetDeviceLine(line);
    g_pProgressDlg->ShowWindow();
}

void CUpgradeUtilityDlg::LockControls(bool locked) {
    for (int id : {IDC_EXIT, IDC_UPGRADE, IDC_REFRESH, IDC_DEVICE_LIST}) {
        view_->EnableControl(id, !locked);
    }
}

void CUpgradeUtilityDlg::ReturnToIdle(int row) {
    if (m_nTimerId != 0) view_->KillTimer(m_nTimerId);
    m_nTimerId = 0;
    m_bUpgradeRunning.store(0);
    LockControls(false);
    view_->SetCell(row, kColumnUpdateStatus, "");  // nothing was done to the player
    if (g_pProgressDlg != nullptr) g_pProgressDlg->DestroyWindow();
}

bool CUpgradeUtilityDlg::StartWorkerThread(long position) {
    JoinWorker();
    try {
        worker_ = std::thread(&CUpgradeUtilityDlg::UpgradeThreadProc, position);
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

unsigned CUpgradeUtilityDlg::UpgradeThreadProc(long position) {
    CUpgradeUtilityDlg* main = g_theApp.MainWindow();
    if (main == nullptr) return 0;
    try {
        if (tagDEVICEENTRY* entry = DeviceEntryAt(position)) {
            tagPORTDEVINFO copy = entry->device;
            KPZPortableDeviceDetectionVerifyPlaylistFolders(&copy, nullptr);
            if (const auto folder = GetApplicationFolder()) {
                if (UpgradePortableDevice(&entry->device, folder->c_str(), &UpgradeProgressCallback,
                                          &main->m_bReportErrors) == 0) {
                    main->m_bUpgradeErrors = 1;
                }
            }
        }
    } catch (const std::exception&) {
        main->m_bUpgradeErrors = 1;
    }
    main->m_bUpgradeRunning.store(0);  // the last act: the window reads the others after it
    main->uiThread_.Wake();            // its poll timer would see it; this is only sooner
    return 0;
}

void CUpgradeUtilityDlg::UpgradeProgressCallback(tagPORTDEVINFO&, std::uint32_t code,
                                                 tagUPDATESYSFILEINFO* info) {
    CUpgradeUtilityDlg* main = g_theApp.MainWindow();
    if (main == nullptr) return;
    // The window is looked up on the user-interface thread, where it is also destroyed, so a
    // notification never reaches a window that has gone.
    main->uiThread_.Send([&] {
        if (g_pProgressDlg != nullptr) g_pProgressDlg->SendUpgradeStatus(code, info);
    });
}
