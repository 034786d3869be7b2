// Control ids, messages and the device list's columns: shared by the windows' logic and every
// set of widgets that shows them.
#pragma once

#include "platform/win32_types.h"

// Main window.
inline constexpr int IDC_EXIT = win32::IDOK;
inline constexpr int IDC_UPGRADE = 1001;
inline constexpr int IDC_DEVICE_LIST = 1002;
inline constexpr int IDC_REFRESH = 1004;
inline constexpr int IDC_STEP1 = 1013;
inline constexpr int IDC_STEP2 = 1014;
inline constexpr int IDC_STEP3 = 1015;
inline constexpr unsigned IDM_ABOUTBOX = 16;  // system-menu command of the About entry
inline constexpr unsigned kPollTimerId = 1;
inline constexpr unsigned kPollTimerMilliseconds = 500;

// Progress window.
inline constexpr int IDC_STATUS_LINE = 1000;
inline constexpr int IDC_DEVICE_LINE = 1001;
inline constexpr int IDC_PROGRESS_ICON = 1002;
inline constexpr int IDC_PROGRESS_BUTTON = 1003;
inline constexpr int IDC_UPGRADING_TEXT = 1048;
inline constexpr int IDC_PROGRESS_BAR = 1077;

// A status notification handed to the progress window: code, then the record pointer.
inline constexpr unsigned WM_USER = 0x0400;
inline constexpr unsigned WM_UPGRADE_STATUS = WM_USER + 2;

enum class ColumnAlignment { Left, Centre };

struct DeviceListColumn {
    const char* heading;
    ColumnAlignment alignment;
    int widthPixels;
};

enum DeviceListColumnIndex {
    kColumnDrive = 0,
    kColumnDevice = 1,
    kColumnCurrentVersion = 2,
    kColumnUpgradeVersion = 3,
    kColumnUpdateStatus = 4,
    kColumnCount = 5,
};

inline constexpr DeviceListColumn kDeviceListColumns[kColumnCount] = {
    {"Drive", ColumnAlignment::Centre, 45},         {"Device", ColumnAlignment::Left, 105},
    {"Current Version", ColumnAlignment::Left, 95}, {"Upgrade Version", ColumnAlignment::Left, 95},
    {"Update Status", ColumnAlignment::Left, 150},
};
