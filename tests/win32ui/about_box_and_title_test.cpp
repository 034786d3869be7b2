// The main window opened by the logic on a simulated computer: the system menu's commands
// that open the About box (and those that do not), and the command line that becomes the
// title of the real window.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/application.h"
#include "app/main_window.h"
#include "support/sim_fixture.h"

#include "app/win32/main_window_dialog.h"
#include "app/win32/win32_window_system.h"
#include "windriver/window_reading.h"

namespace {

using windriver::WindowText;

// What the About box showed when it came up; it is then closed by its OK button.
struct AboutBoxSeen {
    int times = 0;
    std::string title;
    std::string versionText;
    HWND owner = nullptr;
};

// The hook's callback has no room for a pointer of its own.
thread_local AboutBoxSeen* t_seen = nullptr;

LRESULT CALLBACK CloseAboutBoxOnActivation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && t_seen != nullptr) {
        HWND box = reinterpret_cast<HWND>(wParam);
        char className[16] = {};
        GetClassNameA(box, className, sizeof(className));
        if (std::string(className) == "#32770" && WindowText(box).rfind("About", 0) == 0) {
            ++t_seen->times;
            t_seen->title = WindowText(box);
            t_seen->owner = GetWindow(box, GW_OWNER);
            HWND text =
                FindWindowExA(box, nullptr, "Static", "Zarn Upgrade Utility\nVersion 1.0.1.0");
            t_seen->versionText = text != nullptr ? WindowText(text) : "";
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class AboutBoxTest : public test::SimFixture {
  protected:
    static void SetUpTestSuite() { ASSERT_TRUE(win32ui::PrepareWindowClasses()); }

    void SetUp() override {
        ASSERT_NE(window_, nullptr);
        dlg_.OnInitDialog(view_);
        t_seen = &seen_;
        hook_ = SetWindowsHookExA(WH_CBT, CloseAboutBoxOnActivation, nullptr, GetCurrentThreadId());
        ASSERT_NE(hook_, nullptr);
    }

    void TearDown() override {
        if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
        t_seen = nullptr;
    }

    win32ui::Win32UiThread uiThread_;
    CUpgradeUtilityDlg dlg_{uiThread_};
    win32ui::MainWindowDialog view_{dlg_};
    HWND window_ = static_cast<HWND>(view_.Handle());
    AboutBoxSeen seen_;
    HHOOK hook_ = nullptr;
};

TEST_F(AboutBoxTest, SystemCommandsOpenTheBoxByTheirUpperBitsOnly) {
    const struct {
        WPARAM command;
        int opened;
    } cases[] = {
        {16, 1},               // the menu entry's own
        {0x13, 1},             // the low four bits are the system's
        {0x1F, 1}, {0x20, 0},  // another entry
        {0x00, 0},
    };
    int opened = 0;
    for (const auto& each : cases) {
        SCOPED_TRACE(each.command);
        // The box is modal: this returns once its OK button has closed it.
        SendMessageA(window_, WM_SYSCOMMAND, each.command, 0);
        opened += each.opened;
        EXPECT_EQ(seen_.times, opened);
    }
    EXPECT_EQ(seen_.title, "About Zarn Upgrade Utility");
    EXPECT_EQ(seen_.versionText, "Zarn Upgrade Utility\nVersion 1.0.1.0");
    EXPECT_EQ(seen_.owner, window_);
    EXPECT_TRUE(IsWindowEnabled(window_));  // the owner is given back when the box has gone
}

// The main window of the real start-up, read back when its modal loop would begin.
class TitleReadingDialog : public win32ui::MainWindowDialog {
  public:
    TitleReadingDialog(CUpgradeUtilityDlg& dlg, std::string& title)
        : MainWindowDialog(dlg), title_(title) {}
    int RunModalLoop() override {
        title_ = WindowText(static_cast<HWND>(Handle()));
        return IDCANCEL;
    }

  private:
    std::string& title_;
};

class TitleReadingWindows : public WindowSystem {
  public:
    UiThread& UserInterfaceThread() override { return uiThread_; }
    std::unique_ptr<MainWindowView> CreateMainWindow(CUpgradeUtilityDlg& dlg) override {
        return std::make_unique<TitleReadingDialog>(dlg, title);
    }
    std::string title;

  private:
    win32ui::Win32UiThread uiThread_;
};

class CommandLineTitleTest : public test::SimFixture {
  protected:
    static void SetUpTestSuite() { ASSERT_TRUE(win32ui::PrepareWindowClasses()); }
    void TearDown() override { g_theApp.SetCommandLine(""); }
};

TEST_F(CommandLineTitleTest, TextAfterTheProgramBecomesTheTitle) {
    const struct {
        const char* commandLine;
        const char* title;
    } cases[] = {
        {R"("C:\Program Files\Zarn\KPZPortableDeviceSystemFileUpdater.exe" Player 2)", "Player 2"},
        {R"("C:\Program Files\Zarn\KPZPortableDeviceSystemFileUpdater.exe")",
         "Zarn Upgrade Utility"},
        {"KPZPortableDeviceSystemFileUpdater.exe   ", "Zarn Upgrade Utility"},
        {"KPZPortableDeviceSystemFileUpdater.exe \t My  title ", "My  title "},
        {R"(C:\Zarn\updater.exe "quoted" text)", R"("quoted" text)"},
        {R"("C:\Zarn\unterminated quote)", "Zarn Upgrade Utility"},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.commandLine);
        TitleReadingWindows windows;
        g_theApp.SetCommandLine(win32ui::CommandLineAfterProgram(each.commandLine));
        g_theApp.InitInstance(windows);
        EXPECT_EQ(windows.title, each.title);
    }
}

}  // namespace
