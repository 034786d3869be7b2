// A whole upgrade through the real windows, as a user makes it: the program started, Refresh
// pressed, the first player selected, "Upgrade Device..." pressed, a close refused during the
// run, "Done" pressed and Exit. Every action is a message to a control; the worker's
// notifications reach the progress window as its WM_UPGRADE_STATUS.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/application.h"
#include "app/main_window.h"
#include "platform/scripted_ui.h"
#include "support/player_computer.h"

#include "app/win32/win32_window_system.h"
#include "windriver/step_script.h"
#include "windriver/window_reading.h"

#include <commctrl.h>

namespace {

using windriver::Cell;
using windriver::ControlEnabled;
using windriver::ControlText;
using windriver::FindShownWindow;
using windriver::PressButton;

struct StatusSeen {
    std::uint32_t code;
    std::string statusLine;  // as the window shows it once the message is handled
};

// The hook's callback has no room for a pointer of its own.
thread_local std::vector<StatusSeen>* t_statuses = nullptr;

LRESULT CALLBACK RecordHandledStatus(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    // Controls take messages of the same number (PBM_SETPOS): only the progress window's count.
    if (code == HC_ACTION && sent->message == WM_UPGRADE_STATUS && t_statuses != nullptr &&
        windriver::WindowText(sent->hwnd) == "Zarn Jukebox - Update System Files") {
        t_statuses->push_back(
            {static_cast<std::uint32_t>(sent->wParam), ControlText(sent->hwnd, IDC_STATUS_LINE)});
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class UpgradeThroughTheWindow : public testing::Test {
  protected:
    static void SetUpTestSuite() { ASSERT_TRUE(win32ui::PrepareWindowClasses()); }

    void SetUp() override {
        t_statuses = &statuses_;
        hook_ = SetWindowsHookExA(WH_CALLWNDPROCRET, RecordHandledStatus, nullptr,
                                  GetCurrentThreadId());
        ASSERT_NE(hook_, nullptr);
    }

    void TearDown() override {
        UnhookWindowsHookEx(hook_);
        t_statuses = nullptr;
    }

    HWND List() const { return GetDlgItem(main_, IDC_DEVICE_LIST); }

    // Runs the program until its window closes; the script's steps act on the way.
    void RunProgram() { RunScript(script_); }

    // A step that never comes ends the program, so the test fails instead of hanging.
    static void RunScript(windriver::StepScript& script) {
        ASSERT_TRUE(script.Start(20, 30000, [] { PostQuitMessage(1); }));
        win32ui::Win32WindowSystem windows;
        g_theApp.InitInstance(windows);
        EXPECT_EQ(script.Unreached(), "");
    }

    static void Press(HWND dialog, int id) { EXPECT_TRUE(PressButton(dialog, id)) << id; }

    void WriteFirmware(const std::string& hostFile, const std::string& version) {
        test::WriteHostFile(computer_.temp.PathOf(hostFile), test::PlayerFirmwareImage(version));
    }

    test::PlayerComputer computer_;
    platform::ScopedSystem systemGuard_{computer_.machine};
    platform::ScriptedUserInterface ui_;
    platform::ScopedUserInterface uiGuard_{ui_};
    windriver::StepScript script_;
    std::vector<StatusSeen> statuses_;
    HHOOK hook_ = nullptr;
    HWND main_ = nullptr;
    HWND progress_ = nullptr;
};

TEST_F(UpgradeThroughTheWindow, UpgradesTheSelectedPlayerAndShowsTheOutcomeInItsRow) {
    std::vector<std::string> listedAtStart, whileRunning, afterRun;
    std::size_t beepsWhileRunning = 0;
    bool closedWhileRunning = false;
    script_.Then(
        "the main window", [&] { return (main_ = FindShownWindow("Zarn Upgrade Utility")); },
        [&] {
            for (int row = 0; row < windriver::RowCount(List()); ++row)
                listedAtStart.push_back(Cell(List(), row, kColumnDrive) + " " +
                                        Cell(List(), row, kColumnCurrentVersion));
            WriteFirmware("g/System/QDAV3180.mi4", "01.15");  // Refresh reads it afresh
            Press(main_, IDC_REFRESH);
        });
    script_.Then(
        "the rows after Refresh",
        [&] {
            return windriver::RowCount(List()) == 2 &&
                   Cell(List(), 1, kColumnCurrentVersion) == "01.15";
        },
        [&] {
            windriver::SelectRow(List(), 0);
            Press(main_, IDC_UPGRADE);
            // The worker waits on its first notification until this thread serves messages
            // again, so the run is still under way here.
            progress_ = FindShownWindow("Zarn Jukebox - Update System Files");
            whileRunning = {ControlText(progress_, IDC_DEVICE_LINE),
                            ControlText(progress_, IDC_PROGRESS_BUTTON),
                            Cell(List(), 0, kColumnUpdateStatus)};
            for (int id : {IDC_EXIT, IDC_UPGRADE, IDC_REFRESH, IDC_DEVICE_LIST})
                if (ControlEnabled(main_, id))
                    whileRunning.push_back("enabled: " + std::to_string(id));
            if (!ControlEnabled(progress_, IDC_PROGRESS_BUTTON)) whileRunning.push_back("no press");
            // The close box, the system menu's Close and Escape: each refused.
            SendMessageA(main_, WM_CLOSE, 0, 0);
            SendMessageA(main_, WM_SYSCOMMAND, SC_CLOSE, 0);
            SendMessageA(main_, WM_COMMAND, IDCANCEL, 0);
            closedWhileRunning = !IsWindowVisible(main_);
            beepsWhileRunning = ui_.Beeps().size();
        });
    script_.Then(
        "Done, and the window's controls back",
        [&] {
            return ControlText(progress_, IDC_PROGRESS_BUTTON) == "Done" &&
                   ControlEnabled(main_, IDC_UPGRADE);
        },
        [&] {
            HWND bar = GetDlgItem(progress_, IDC_PROGRESS_BAR);
            afterRun = {ControlText(progress_, IDC_STATUS_LINE),
                        std::to_string(SendMessageA(bar, PBM_GETPOS, 0, 0)) + " of " +
                            std::to_string(SendMessageA(bar, PBM_GETRANGE, FALSE, 0)),
                        Cell(List(), 0, kColumnCurrentVersion),
                        Cell(List(), 0, kColumnUpdateStatus), Cell(List(), 1, kColumnUpdateStatus)};
            Press(progress_, IDC_PROGRESS_BUTTON);
        });
    script_.Then(
        "the progress window closed by Done", [&] { return !IsWindow(progress_); },
        [&] { Press(main_, IDC_EXIT); });
    RunProgram();

    EXPECT_EQ(listedAtStart, (std::vector<std::string>{"E: 01.10", "G: 01.10"}));
    EXPECT_EQ(whileRunning, (std::vector<std::string>{"Device:  Zarn Jukebox 20 (E:)", "Cancel",
                                                      "Updating...", "no press"}));
    EXPECT_FALSE(closedWhileRunning);
    EXPECT_EQ(beepsWhileRunning, 3u);
    EXPECT_EQ(afterRun, (std::vector<std::string>{"Status:  Upgrade finished.", "1 of 1", "01.20",
                                                  "Upgrade completed successfully 09:05:07", ""}));
    EXPECT_EQ(test::ReadHostFile(computer_.temp.PathOf("e/System/QDAV3180.mi4")),
              test::PlayerFirmwareImage("01.20"));
    EXPECT_EQ(test::ReadHostFile(computer_.temp.PathOf("g/System/QDAV3180.mi4")),
              test::PlayerFirmwareImage("01.15"));
    EXPECT_TRUE(ui_.Boxes().empty());
}

// The notifications as the progress window handled them, each shown before the worker went
// on: those of the run, then the completion check's code 11 when the player's version after the
// run is not the one the window listed (the installation's file changed meanwhile).
TEST_F(UpgradeThroughTheWindow, TheProgressWindowHandlesEachNotificationAsItsOwnMessage) {
    const std::vector<std::string> run = {
        "1 Status:  Scanning device...", "8 Status:  Scanning device...",
        "9 Status:  Upgrading device...", "2 Status:  Upgrade finished."};
    const struct {
        const char* installedMeanwhile;
        std::vector<std::string> extra;
    } cases[] = {
        {nullptr, {}},
        {"01.30",
         {"11 Status:  Errors occurred during upgrade.  Please verify device is working properly "
          "and is not being accessed by another application.  Please repeat the upgrade.  If "
          "problems persist, device firmware may be corrupted."}},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.installedMeanwhile ? each.installedMeanwhile : "unchanged");
        statuses_.clear();
        windriver::StepScript script;
        script.Then(
            "the main window", [&] { return (main_ = FindShownWindow("Zarn Upgrade Utility")); },
            [&] {
                if (each.installedMeanwhile != nullptr)
                    WriteFirmware("c/Zarn/ZJ-20/System/QDAV3180.mi4", each.installedMeanwhile);
                windriver::SelectRow(List(), 1);
                Press(main_, IDC_UPGRADE);
            });
        script.Then(
            "the run's end", [&] { return ControlEnabled(main_, IDC_EXIT); },
            [&] { Press(main_, IDC_EXIT); });
        RunScript(script);

        std::vector<std::string> seen, expected = run;
        for (const StatusSeen& status : statuses_)
            seen.push_back(std::to_string(status.code) + " " + status.statusLine);
        expected.insert(expected.end(), each.extra.begin(), each.extra.end());
        EXPECT_EQ(seen, expected);
        EXPECT_EQ(
            test::ReadHostFile(computer_.temp.PathOf("g/System/QDAV3180.mi4")),
            test::PlayerFirmwareImage(each.installedMeanwhile ? each.installedMeanwhile : "01.20"));
        WriteFirmware("g/System/QDAV3180.mi4", "01.10");
        WriteFirmware("c/Zarn/ZJ-20/System/QDAV3180.mi4", "01.20");
    }
}

}  // namespace
