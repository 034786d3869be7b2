// The windows' templates as the real dialog manager reads them: every control's class, id,
// text, style and rectangle read back from the created dialog, in tab order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/win32/window_layouts.h"
#include "windriver/window_reading.h"

#include <commctrl.h>

namespace {

struct ExpectedControl {
    const char* windowClass;
    int id;
    const char* text;  // null: not compared (icons)
    DWORD styleSet;
    DWORD styleClear;
    RECT units;  // left, top, width, height in dialog units
};

struct ExpectedDialog {
    const char* name;
    const win32ui::DialogLayout& (*layout)();
    const char* title;
    LONG width, height;  // dialog units
    DWORD styleSet;
    DWORD styleClear;
    DWORD extendedSet;
    std::vector<ExpectedControl> controls;
};

constexpr DWORD kStep = ES_MULTILINE | ES_READONLY | WS_DISABLED;
constexpr DWORD kFocusable = WS_TABSTOP;

const std::vector<ExpectedDialog>& Dialogs() {
    static const std::vector<ExpectedDialog> dialogs = {
        {"main window",
         win32ui::MainWindowLayout,
         "Zarn Upgrade Utility",
         321,
         213,
         WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
         WS_MAXIMIZEBOX | WS_VISIBLE,
         WS_EX_APPWINDOW,
         {
             {"Static", -1, nullptr, SS_ICON, 0, {7, 7, 20, 20}},
             {"RICHEDIT50W", 1013, "Step 1:", kStep, kFocusable, {37, 11, 31, 12}},
             {"Static",
              -1,
              "Select a Zarn device to upgrade.  Press Refresh to detect supported devices.",
              0,
              kFocusable,
              {71, 11, 178, 20}},
             {"Button", 1004, "Refresh", kFocusable, BS_DEFPUSHBUTTON, {264, 12, 50, 14}},
             {"Static",
              -1,
              "NOTE:  The internal memory of the device must be active in order for the device "
              "to be properly detected and upgraded.  See the device's documentation for more "
              "details.",
              0,
              kFocusable,
              {7, 31, 304, 23}},
             // Its border becomes a client edge (ListViewHasClientEdge).
             {"SysListView32",
              1002,
              "",
              LVS_REPORT | LVS_SHOWSELALWAYS | kFocusable,
              LVS_SINGLESEL | LVS_SORTASCENDING | LVS_SORTDESCENDING,
              {7, 54, 307, 80}},
             {"RICHEDIT50W", 1014, "Step 2:", kStep, kFocusable, {7, 141, 31, 12}},
             {"Static",
              -1,
              "Press Upgrade Device to upgrade the firmware for the selected device.",
              0,
              kFocusable,
              {40, 141, 267, 8}},
             {"Button",
              1001,
              "Upgrade Device...",
              kFocusable,
              BS_DEFPUSHBUTTON,
              {79, 153, 158, 14}},
             {"RICHEDIT50W", 1015, "Step 3:", kStep, kFocusable, {7, 172, 31, 11}},
             {"Static",
              -1,
              "Properly STOP the Zarn device from Windows.  Disconnect the USB cable from the "
              "device to resume device operation. The new firmware will now be loaded on the "
              "device.",
              0,
              kFocusable,
              {40, 172, 274, 16}},
             {"Static",
              -1,
              "Press Exit to exit the utility when all devices have been upgraded.",
              0,
              kFocusable,
              {7, 194, 206, 8}},
             {"Button", 1, "Exit", BS_DEFPUSHBUTTON | kFocusable, 0, {264, 192, 50, 14}},
         }},
        {"progress window",
         win32ui::ProgressWindowLayout,
         "Zarn Jukebox - Update System Files",
         284,
         87,
         WS_CAPTION | WS_SYSMENU,
         WS_VISIBLE | WS_MINIMIZEBOX,
         0,
         {
             {"Static", 1002, nullptr, SS_ICON, 0, {7, 6, 21, 20}},
             {"Static", 1001, "Device:  Zarn Jukebox", SS_NOPREFIX, 0, {36, 6, 241, 12}},
             {"Static", 1048, "Upgrading Firmware...", 0, 0, {36, 23, 241, 12}},
             {"Static", 1000, "", SS_NOPREFIX, 0, {36, 38, 241, 27}},
             // The bar turns its border style into an edge of its own.
             {"msctls_progress32", 1077, "", PBS_SMOOTH, 0, {36, 69, 186, 11}},
             {"Button", 1003, "Cancel", BS_DEFPUSHBUTTON | kFocusable, 0, {227, 66, 50, 14}},
         }},
        {"About box",
         win32ui::AboutBoxLayout,
         "About Zarn Upgrade Utility",
         235,
         85,
         WS_CAPTION | WS_SYSMENU,
         WS_MINIMIZEBOX,
         0,
         {
             {"Button", -1, "", BS_GROUPBOX, 0, {7, 4, 221, 56}},
             {"Static", -1, nullptr, SS_ICON, 0, {14, 14, 21, 20}},
             {"Static", -1, "Zarn Upgrade Utility\nVersion 1.0.1.0", 0, 0, {44, 14, 176, 18}},
             {"Static", -1, nullptr, 0, 0, {44, 36, 176, 20}},
             {"Button", IDOK, "OK", BS_DEFPUSHBUTTON | kFocusable, 0, {178, 65, 50, 14}},
         }},
    };
    return dialogs;
}

INT_PTR CALLBACK DefaultHandling(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

class DialogTemplates : public testing::TestWithParam<ExpectedDialog> {
  protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
        ASSERT_TRUE(InitCommonControlsEx(&classes));
        ASSERT_NE(LoadLibraryA(win32ui::kRichTextLibrary), nullptr);
    }

    void SetUp() override {
        const win32ui::DialogTemplate dialog(GetParam().layout());
        window_ = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), dialog.Get(), nullptr,
                                             DefaultHandling, 0);
        ASSERT_NE(window_, nullptr) << "error " << GetLastError();
    }

    void TearDown() override {
        if (window_ != nullptr) DestroyWindow(window_);
    }

    // As the dialog manager places a control: position and size converted each on its own.
    RECT Pixels(const RECT& units) const {
        RECT position{units.left, units.top, units.right, units.bottom};
        MapDialogRect(window_, &position);
        return {position.left, position.top, position.left + position.right,
                position.top + position.bottom};
    }

    HWND window_ = nullptr;
};

std::string ClassName(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

TEST_P(DialogTemplates, FrameTitleAndClientSize) {
    const ExpectedDialog& expected = GetParam();
    EXPECT_EQ(windriver::WindowText(window_), expected.title);
    const DWORD style = static_cast<DWORD>(GetWindowLongA(window_, GWL_STYLE));
    EXPECT_EQ(style & expected.styleSet, expected.styleSet);
    EXPECT_EQ(style & expected.styleClear, 0u);
    const DWORD extended = static_cast<DWORD>(GetWindowLongA(window_, GWL_EXSTYLE));
    EXPECT_EQ(extended & expected.extendedSet, expected.extendedSet);
    RECT client{};
    GetClientRect(window_, &client);
    const RECT size = Pixels({0, 0, expected.width, expected.height});
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);
}

TEST_P(DialogTemplates, FontIsEightPointMsSansSerif) {
    auto font = reinterpret_cast<HFONT>(SendMessageA(window_, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    LOGFONTA face{};
    ASSERT_NE(GetObjectA(font, sizeof(face), &face), 0);
    EXPECT_STREQ(face.lfFaceName, "MS Sans Serif");
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(face.lfHeight, -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72));
    ReleaseDC(nullptr, screen);
}

// Children in creation order are the tab order.
TEST_P(DialogTemplates, ControlsInTabOrderWithIdClassTextStyleAndRectangle) {
    const ExpectedDialog& expected = GetParam();
    HWND control = GetWindow(window_, GW_CHILD);
    for (std::size_t i = 0; i < expected.controls.size(); ++i) {
        const ExpectedControl& want = expected.controls[i];
        SCOPED_TRACE(testing::Message() << "control " << i << " (id " << want.id << ")");
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(static_cast<WORD>(GetDlgCtrlID(control)), static_cast<WORD>(want.id));
        if (want.id != -1) {
            EXPECT_EQ(GetDlgItem(window_, want.id), control);
        }
        EXPECT_STRCASEEQ(ClassName(control).c_str(), want.windowClass);
        if (want.text != nullptr) {
            EXPECT_EQ(windriver::WindowText(control), want.text);
        }
        const DWORD style = static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE));
        EXPECT_EQ(style & want.styleSet, want.styleSet);
        EXPECT_EQ(style & want.styleClear, 0u);
        EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE), DWORD{WS_CHILD | WS_VISIBLE});
        RECT rect{};
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&rect), 2);
        const RECT pixels = Pixels(want.units);
        EXPECT_EQ(rect.left, pixels.left);
        EXPECT_EQ(rect.top, pixels.top);
        // An icon control sizes itself to its icon; the others keep the template's size.
        if ((style & SS_TYPEMASK) != SS_ICON || want.windowClass[0] != 'S') {
            EXPECT_EQ(rect.right, pixels.right);
            EXPECT_EQ(rect.bottom, pixels.bottom);
        }
        control = GetWindow(control, GW_HWNDNEXT);
    }
    EXPECT_EQ(control, nullptr) << "more controls than the table";
}

TEST_P(DialogTemplates, IconControlsShowIcon128) {
    HICON expected = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(128));
    ASSERT_NE(expected, nullptr);
    for (HWND control = GetWindow(window_, GW_CHILD); control != nullptr;
         control = GetWindow(control, GW_HWNDNEXT)) {
        const DWORD style = static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE));
        if (ClassName(control) != "Static" || (style & SS_TYPEMASK) != SS_ICON) continue;
        EXPECT_NE(SendMessageA(control, STM_GETICON, 0, 0), 0);
    }
}

TEST_P(DialogTemplates, ListViewHasClientEdge) {
    HWND list = GetDlgItem(window_, 1002);
    if (GetParam().layout != win32ui::MainWindowLayout) GTEST_SKIP() << "no list view";
    const DWORD extended = static_cast<DWORD>(GetWindowLongA(list, GWL_EXSTYLE));
    EXPECT_EQ(extended & WS_EX_CLIENTEDGE, DWORD{WS_EX_CLIENTEDGE});
}

INSTANTIATE_TEST_SUITE_P(Windows, DialogTemplates, testing::ValuesIn(Dialogs()),
                         [](const testing::TestParamInfo<ExpectedDialog>& info) {
                             std::string name = info.param.name;
                             for (char& c : name)
                                 if (c == ' ') c = '_';
                             return name;
                         });

}  // namespace
