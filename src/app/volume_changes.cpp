// The main window follows the computer's volumes: a Refresh of its own when one was mounted
// or removed, and Safely Remove from a row's menu.
#include "app/device_notices.h"
#include "app/main_window.h"
#include "app/volume_release.h"
#include "platform/system.h"
#include "platform/ui.h"

bool CUpgradeUtilityDlg::OnVolumesChanged() {
    // A run's entry must stay where it is, and its outcome in its row.
    if (m_bUpgradeRunning.load() || m_nTimerId != 0 || view_ == nullptr) return false;
    if (refreshing_) {  // the list is being rebuilt right now; once more afterwards
        volumesChangedMeanwhile_ = true;
        return false;
    }
    const int rows = RefreshDeviceList();
    if (rows == -1) {
        if (!m_bExitRequested) FollowVolumeChangesMeanwhile();
        return true;
    }
    view_->EnableControl(IDC_DEVICE_LIST, rows > 0);
    view_->EnableControl(IDC_UPGRADE, rows > 0);
    // Only what needs the user's hand is told; the list itself shows what came and went.
    const std::string notices = TakeDeviceNoticeText();
    if (!notices.empty()) {
        win32::MessageBoxA(view_->Handle(), notices.c_str(), "Device Detection Error",
                           win32::MB_OK | win32::MB_ICONWARNING);
    }
    FollowVolumeChangesMeanwhile();
    return true;
}

void CUpgradeUtilityDlg::FollowVolumeChangesMeanwhile() {
    if (volumesChangedMeanwhile_) {
        volumesChangedMeanwhile_ = false;
        OnVolumesChanged();
    }
}

bool CUpgradeUtilityDlg::CanSafelyRemove(int row) const {
    return m_bUpgradeRunning.load() == 0 && m_nTimerId == 0 && DriveOfRow(row) != 0 &&
           platform::Current().Devices() != nullptr;
}

void CUpgradeUtilityDlg::OnSafelyRemove(int row, VolumeRelease& release) {
    const char letter = DriveOfRow(row);
    if (!CanSafelyRemove(row)) {
        win32::MessageBeep(win32::MB_OK);
        return;
    }
    RemovalOutcome outcome;
    {
        platform::ScopedWaitCursor wait;
        outcome = SafelyRemoveDrive(letter, release);
    }
    win32::MessageBoxA(
        view_->Handle(), outcome.text.c_str(), "Safely Remove",
        win32::MB_OK | (outcome.released ? win32::MB_ICONINFORMATION : win32::MB_ICONWARNING));
    if (outcome.released) OnVolumesChanged();
}

char CUpgradeUtilityDlg::DriveOfRow(int row) const {
    if (view_ == nullptr || row < 0 || row >= view_->RowCount()) return 0;
    const long position = view_->RowData(row);
    if (position < 0 || static_cast<std::size_t>(position) >= g_deviceList.size()) return 0;
    return g_deviceList[position]->device.driveLetter;
}
