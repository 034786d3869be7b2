// The main window's dialog as the logic uses it: columns, rows and their data, the system
// menu's About entry, the step labels' format, the drag icon and the refused close.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_window.h"
#include "platform/scripted_ui.h"
#include "platform/ui.h"

#include "app/win32/main_window_dialog.h"
#include "app/win32/win32_window_system.h"

#include <commctrl.h>
#include <richedit.h>

#undef MessageBox  // the seam's own name

namespace {

class MainWindowDialogTest : public testing::Test {
  protected:
    static void SetUpTestSuite() { ASSERT_TRUE(win32ui::PrepareWindowClasses()); }

    void SetUp() override { ASSERT_NE(window_, nullptr); }

    HWND Control(int id) const { return GetDlgItem(window_, id); }

    platform::ScriptedUserInterface ui_;
    platform::ScopedUserInterface uiGuard_{ui_};
    win32ui::Win32UiThread uiThread_;
    CUpgradeUtilityDlg dlg_{uiThread_};
    win32ui::MainWindowDialog view_{dlg_};
    HWND window_ = static_cast<HWND>(view_.Handle());
};

TEST_F(MainWindowDialogTest, ColumnsTakeHeadingWidthAndAlignment) {
    for (int column = 0; column < kColumnCount; ++column)
        view_.InsertColumn(column, kDeviceListColumns[column]);
    const struct {
        const char* heading;
        int width;
        int format;
    } expected[] = {{"Drive", 45, LVCFMT_CENTER},
                    {"Device", 105, LVCFMT_LEFT},
                    {"Current Version", 95, LVCFMT_LEFT},
                    {"Upgrade Version", 95, LVCFMT_LEFT},
                    {"Update Status", 150, LVCFMT_LEFT}};
    for (int column = 0; column < kColumnCount; ++column) {
        SCOPED_TRACE(column);
        char heading[64] = {};
        LVCOLUMNA spec{};
        spec.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
        spec.pszText = heading;
        spec.cchTextMax = sizeof(heading);
        ASSERT_TRUE(SendMessageA(Control(IDC_DEVICE_LIST), LVM_GETCOLUMNA, column,
                                 reinterpret_cast<LPARAM>(&spec)));
        EXPECT_STREQ(heading, expected[column].heading);
        EXPECT_EQ(spec.cx, expected[column].width);
        EXPECT_EQ(spec.fmt & LVCFMT_JUSTIFYMASK, expected[column].format);
    }
    const auto extended =
        SendMessageA(Control(IDC_DEVICE_LIST), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
    EXPECT_TRUE(extended & LVS_EX_FULLROWSELECT);
}

TEST_F(MainWindowDialogTest, RowsKeepCellsAndItemDataInOrder) {
    for (int column = 0; column < kColumnCount; ++column)
        view_.InsertColumn(column, kDeviceListColumns[column]);
    EXPECT_EQ(view_.AppendRow("E:"), 0);
    EXPECT_EQ(view_.AppendRow("G:"), 1);
    view_.SetRowData(0, 0);
    view_.SetRowData(1, 1);
    view_.SetCell(1, kColumnUpdateStatus, "Upgrade completed successfully 09:05:07");
    EXPECT_EQ(view_.RowCount(), 2);
    EXPECT_EQ(view_.Cell(1, kColumnDrive), "G:");
    EXPECT_EQ(view_.Cell(1, kColumnUpdateStatus), "Upgrade completed successfully 09:05:07");
    EXPECT_EQ(view_.RowData(1), 1);
    EXPECT_EQ(view_.FirstSelectedRow(), -1);
    ListView_SetItemState(Control(IDC_DEVICE_LIST), 1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(view_.FirstSelectedRow(), 1);
    view_.DeleteAllRows();
    EXPECT_EQ(view_.RowCount(), 0);
}

TEST_F(MainWindowDialogTest, SystemMenuEndsWithSeparatorAndAboutEntry16) {
    HMENU menu = GetSystemMenu(window_, FALSE);
    const int before = GetMenuItemCount(menu);
    view_.AppendSystemMenuEntry(IDM_ABOUTBOX, "&About ZarnUpgradeUtility...");
    ASSERT_EQ(GetMenuItemCount(menu), before + 2);
    EXPECT_EQ(GetMenuState(menu, before, MF_BYPOSITION) & MF_SEPARATOR, UINT{MF_SEPARATOR});
    EXPECT_EQ(GetMenuItemID(menu, before + 1), 16u);
    char caption[64] = {};
    GetMenuStringA(menu, before + 1, caption, sizeof(caption), MF_BYPOSITION);
    EXPECT_STREQ(caption, "&About ZarnUpgradeUtility...");
}

TEST_F(MainWindowDialogTest, StepLabelsAreBoldOnTheFaceColour) {
    for (int id : {IDC_STEP1, IDC_STEP2, IDC_STEP3}) {
        SCOPED_TRACE(id);
        CHARFORMAT2A format{};
        format.cbSize = sizeof(format);
        SendMessageA(Control(id), EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
        EXPECT_TRUE(format.dwMask & CFM_BOLD);
        EXPECT_TRUE(format.dwEffects & CFE_BOLD);
        // Setting the colour again gives back the one in use.
        const auto previous = SendMessageA(Control(id), EM_SETBKGNDCOLOR, 0,
                                           static_cast<LPARAM>(GetSysColor(COLOR_3DFACE)));
        EXPECT_EQ(static_cast<COLORREF>(previous), GetSysColor(COLOR_3DFACE));
    }
}

TEST_F(MainWindowDialogTest, AnswersDragIconQueryWithIcon128) {
    const auto icon = SendMessageA(window_, WM_QUERYDRAGICON, 0, 0);
    EXPECT_NE(icon, 0);
    EXPECT_EQ(SendMessageA(window_, WM_GETICON, ICON_BIG, 0), icon);
}

TEST_F(MainWindowDialogTest, CloseDuringRunOnlyBeeps) {
    view_.CenterAndShow();
    dlg_.m_bUpgradeRunning = 1;
    SendMessageA(window_, WM_CLOSE, 0, 0);
    SendMessageA(window_, WM_COMMAND, IDCANCEL, 0);  // Escape
    EXPECT_TRUE(IsWindowVisible(window_));
    EXPECT_EQ(ui_.Beeps(), (std::vector<win32::UINT>{MB_OK, MB_OK}));
    dlg_.m_bUpgradeRunning = 0;
}

}  // namespace
