// Refresh: the enumeration into a fresh device list and the rows that show it.
#include <cstdio>

#include "app/device_notices.h"
#include "app/installation.h"
#include "app/main_window.h"
#include "kpz/detection.h"
#include "platform/ui.h"

int CUpgradeUtilityDlg::OnRefresh() {
    // Refresh is disabled during a run; the worker's entry must stay where it is.
    if (m_bUpgradeRunning.load()) return -1;
    const int rows = RefreshDeviceList();
    if (rows == -1) {
        if (!m_bExitRequested) FollowVolumeChangesMeanwhile();
        return -1;
    }
    const bool found = rows > 0;
    view_->EnableControl(IDC_DEVICE_LIST, found);
    view_->EnableControl(IDC_UPGRADE, found);
    // A device that could not be asked is told, so an empty or short list has its reason.
    std::string text = TakeDeviceNoticeText();
    if (!found) {
        if (!text.empty()) text += "\n\n";
        text +=
            "No Zarn devices were detected.  Please connect your device(s) to the computer and "
            "select Refresh.";
    }
    if (!text.empty()) {
        win32::MessageBoxA(view_->Handle(), text.c_str(), "Device Detection Error",
                           win32::MB_OK | win32::MB_ICONWARNING);
    }
    FollowVolumeChangesMeanwhile();
    return rows;
}

int CUpgradeUtilityDlg::RefreshDeviceList() {
    platform::ScopedWaitCursor wait;
    // The survey's question runs the event loop, which may tell of volumes meanwhile.
    refreshing_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{refreshing_};
    // The survey fills a fresh list; a stopped Refresh puts the previous one back, so the rows
    // still shown keep matching the entries their item data name.
    DeviceList previous = std::move(g_deviceList);
    g_deviceList.clear();
    if (!Enumerate()) {
        FreeDeviceList(g_deviceList);
        g_deviceList = std::move(previous);
        return -1;
    }
    FreeDeviceList(previous);
    FillRows();
    return view_->RowCount();
}

bool CUpgradeUtilityDlg::Enumerate() {
    const auto folder = GetApplicationFolder();
    const std::string database = folder ? *folder + kDatabaseFileName : kDatabaseFileName;
    tagPORTDEVCONFLICTDIALOGINFO conflict;
    try {
        const int result = KPZPortableDeviceDetectionEnumDevices(
            database.c_str(), &EnumDeviceCallback, conflict, reinterpret_cast<long>(this));
        if (result != -1) return true;
        if (m_bExitRequested) view_->EndDialog(IDC_EXIT);
        return false;
    } catch (const std::exception&) {
        return false;
    }
}

void CUpgradeUtilityDlg::FillRows() {
    view_->DeleteAllRows();
    for (std::size_t j = 0; j < g_deviceList.size(); ++j) {
        const tagDEVICEENTRY& entry = *g_deviceList[j];
        char drive[3];
        std::snprintf(drive, sizeof drive, "%c:", entry.device.driveLetter);
        const int row = view_->AppendRow(drive);
        if (row < 0) continue;
        view_->SetRowData(row, static_cast<long>(j));
        view_->SetCell(row, kColumnDevice, entry.device.desc.displayName);
        view_->SetCell(row, kColumnCurrentVersion,
                       entry.m_szCurrentVersion[0] ? entry.m_szCurrentVersion : "----");
        view_->SetCell(row, kColumnUpgradeVersion, entry.m_szUpgradeVersion);
        view_->SetCell(row, kColumnUpdateStatus, "");
    }
}
