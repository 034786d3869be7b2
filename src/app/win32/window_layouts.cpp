// The project's Win32 names first: <windows.h> turns some of them into macros.
#include "app/about_notice.h"
#include "app/window_ids.h"

#include "app/win32/window_layouts.h"

#include <commctrl.h>

namespace win32ui {
namespace {

constexpr int kNoId = -1;
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kText = kChild | SS_LEFT | WS_GROUP;
constexpr DWORD kIcon = kChild | SS_ICON;
constexpr DWORD kButton = kChild | BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kDefaultButton = kChild | BS_DEFPUSHBUTTON | WS_TABSTOP;
constexpr DWORD kStepLabel = kChild | ES_MULTILINE | ES_READONLY | WS_DISABLED;
constexpr WORD kPointSize = 8;
constexpr char kFace[] = "MS Sans Serif";

// Ids and positions as the windows' tables give them, in tab order.
constexpr DialogControl kMainWindowControls[] = {
    {"Static", kNoId, "", kAppIconResource, kIcon, 7, 7, 20, 20},
    {kRichTextClass, IDC_STEP1, "Step 1:", 0, kStepLabel, 37, 11, 31, 12},
    {"Static", kNoId,
     "Select a Zarn device to upgrade.  Press Refresh to detect supported devices.", 0, kText, 71,
     11, 178, 20},
    {"Button", IDC_REFRESH, "Refresh", 0, kButton, 264, 12, 50, 14},
    {"Static", kNoId,
     "NOTE:  The internal memory of the device must be active in order for the device to be "
     "properly detected and upgraded.  See the device's documentation for more details.",
     0, kText, 7, 31, 304, 23},
    // No sort style: rows stay in the order of the drive scan. No single-selection style.
    {WC_LISTVIEWA, IDC_DEVICE_LIST, "", 0,
     kChild | LVS_REPORT | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP, 7, 54, 307, 80},
    {kRichTextClass, IDC_STEP2, "Step 2:", 0, kStepLabel, 7, 141, 31, 12},
    {"Static", kNoId, "Press Upgrade Device to upgrade the firmware for the selected device.", 0,
     kText, 40, 141, 267, 8},
    {"Button", IDC_UPGRADE, "Upgrade Device...", 0, kButton, 79, 153, 158, 14},
    {kRichTextClass, IDC_STEP3, "Step 3:", 0, kStepLabel, 7, 172, 31, 11},
    {"Static", kNoId,
     "Properly STOP the Zarn device from Windows.  Disconnect the USB cable from the device to "
     "resume device operation. The new firmware will now be loaded on the device.",
     0, kText, 40, 172, 274, 16},
    {"Static", kNoId, "Press Exit to exit the utility when all devices have been upgraded.", 0,
     kText, 7, 194, 206, 8},
    {"Button", IDC_EXIT, "Exit", 0, kDefaultButton, 264, 192, 50, 14},
};

// The device and status lines show names and texts that may hold "&": shown as they are.
constexpr DialogControl kProgressWindowControls[] = {
    {"Static", IDC_PROGRESS_ICON, "", kAppIconResource, kIcon, 7, 6, 21, 20},
    {"Static", IDC_DEVICE_LINE, "Device:  Zarn Jukebox", 0, kText | SS_NOPREFIX, 36, 6, 241, 12},
    {"Static", IDC_UPGRADING_TEXT, "Upgrading Firmware...", 0, kText, 36, 23, 241, 12},
    {"Static", IDC_STATUS_LINE, "", 0, kText | SS_NOPREFIX, 36, 38, 241, 27},
    {PROGRESS_CLASSA, IDC_PROGRESS_BAR, "", 0, kChild | PBS_SMOOTH | WS_BORDER, 36, 69, 186, 11},
    {"Button", IDC_PROGRESS_BUTTON, "Cancel", 0, kDefaultButton, 227, 66, 50, 14},
};

constexpr DialogControl kAboutBoxControls[] = {
    {"Button", kNoId, "", 0, kChild | BS_GROUPBOX, 7, 4, 221, 56},
    {"Static", kNoId, "", kAppIconResource, kIcon, 14, 14, 21, 20},
    {"Static", kNoId, "Zarn Upgrade Utility\nVersion 1.0.1.0", 0, kText | SS_NOPREFIX, 44, 14, 176,
     18},
    {"Static", kNoId, kAboutNotice, 0, kText | SS_NOPREFIX, 44, 36, 176, 20},
    {"Button", IDOK, "OK", 0, kDefaultButton | WS_GROUP, 178, 65, 50, 14},
};

constexpr DWORD kDialogFrame = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;

}  // namespace

// Shown by the window itself once it is centred.
const DialogLayout& MainWindowLayout() {
    static const DialogLayout layout{
        kDialogFrame | WS_MINIMIZEBOX, WS_EX_APPWINDOW, 321,   213,
        "Zarn Upgrade Utility",        kPointSize,      kFace, kMainWindowControls};
    return layout;
}

// Hidden until a run shows it.
const DialogLayout& ProgressWindowLayout() {
    static const DialogLayout layout{kDialogFrame | DS_CENTER,
                                     0,
                                     284,
                                     87,
                                     "Zarn Jukebox - Update System Files",
                                     kPointSize,
                                     kFace,
                                     kProgressWindowControls};
    return layout;
}

const DialogLayout& AboutBoxLayout() {
    static const DialogLayout layout{
        kDialogFrame | DS_CENTER,     0,          235,   85,
        "About Zarn Upgrade Utility", kPointSize, kFace, kAboutBoxControls};
    return layout;
}

}  // namespace win32ui
