// The completion check on the poll timer: once the worker has ended, the firmware version on
// the player is read again and the outcome written into the row.
#include <cstdio>
#include <cstring>

#include "app/firmware_version.h"
#include "app/installation.h"
#include "app/main_window.h"
#include "app/messages.h"
#include "app/progress_window.h"
#include "common/code_page_case.h"
#include "platform/ui.h"
#include "platform/win32.h"

void CUpgradeUtilityDlg::CheckUpgradeCompletion() {
    if (m_bUpgradeRunning.load()) return;
    view_->KillTimer(m_nTimerId);
    m_nTimerId = 0;
    JoinWorker();  // it has cleared the flag as its last act

    const int row = view_->FirstSelectedRow();
    win32::SYSTEMTIME now{};
    win32::GetLocalTime(&now);
    if (row >= 0) {
        if (tagDEVICEENTRY* entry = DeviceEntryAt(view_->RowData(row))) {
            VerifyUpgradedVersion(row, *entry);
        }
    }
    LockControls(false);
    if (row < 0) return;
    char status[64];
    std::snprintf(status, sizeof status, "Upgrade completed successfully %02d:%02d:%02d", now.wHour,
                  now.wMinute, now.wSecond);
    view_->SetCell(row, kColumnUpdateStatus,
                   m_bUpgradeErrors ? "Errors occurred during upgrade" : status);
}

void CUpgradeUtilityDlg::VerifyUpgradedVersion(int row, tagDEVICEENTRY& entry) {
    const tagPORTDEVDESC& desc = entry.device.desc;
    const bool image = desc.firmwareHeaderFlag != 0;
    const auto path = DeviceFilePath(entry.device.driveLetter, desc,
                                     image ? kFirmwareImageName : kFirmwareProgramName);
    char version[9] = {};
    const VersionRead read =
        path ? ReadFirmwareFileVersion(
                   *path, image ? FirmwareReader::Image : FirmwareReader::Program, version)
             : VersionRead::NotOpened;
    if (read == VersionRead::NotRead) return;  // a version the reader rejects is no error
    if (read == VersionRead::Read &&
        common::EqualsNoCaseCodePage(version, entry.m_szUpgradeVersion)) {
        std::memcpy(entry.m_szCurrentVersion, version, sizeof version);
        view_->SetCell(row, kColumnCurrentVersion, entry.m_szUpgradeVersion);
        return;
    }
    m_bUpgradeErrors = 1;
    if (m_bReportErrors) ReportUpgradeErrors();
}

void CUpgradeUtilityDlg::ReportUpgradeErrors() {
    if (g_pProgressDlg != nullptr) {
        g_pProgressDlg->SendUpgradeStatus(UPGSTAT_ERRORS, nullptr);
        return;
    }
    win32::MessageBoxA(view_->Handle(), kUpgradeErrorsText, "ERROR - Firmware Upgrade",
                       win32::MB_OK | win32::MB_ICONWARNING);
}
