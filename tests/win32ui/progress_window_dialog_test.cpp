// The progress window's dialog driven as a worker drives it: WM_UPGRADE_STATUS sent from
// another thread, each send returning once the window has shown the notification.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "app/progress_window.h"
#include "platform/scripted_ui.h"
#include "platform/ui.h"

#include "app/win32/progress_window_dialog.h"
#include "app/win32/window_layouts.h"
#include "windriver/window_reading.h"

#include <commctrl.h>

#undef MessageBox  // the seam's own name

namespace {

using windriver::ControlText;

struct Notification {
    std::uint32_t code;
    std::uint32_t count;
};

class ProgressWindowDialogTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_PROGRESS_CLASS};
        ASSERT_TRUE(InitCommonControlsEx(&classes));
    }

    void SetUp() override {
        auto view = std::make_unique<win32ui::ProgressWindowDialog>(nullptr, dlg_);
        window_ = view->Handle();
        ASSERT_NE(window_, nullptr);
        ASSERT_TRUE(dlg_.Create(std::move(view)));
    }

    // Sends the notifications from a worker thread while this thread handles them.
    void SendFromWorker(const std::vector<Notification>& notifications) {
        HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        std::thread worker([&] {
            for (const Notification& n : notifications) {
                tagUPDATESYSFILEINFO info;
                info.dwCount = n.count;
                SendMessageA(window_, WM_UPGRADE_STATUS, n.code, reinterpret_cast<LPARAM>(&info));
            }
            SetEvent(done);
        });
        while (MsgWaitForMultipleObjects(1, &done, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        }
        worker.join();
        CloseHandle(done);
    }

    HWND Control(int id) const { return GetDlgItem(window_, id); }
    int BarPosition() const {
        return static_cast<int>(SendMessageA(Control(IDC_PROGRESS_BAR), PBM_GETPOS, 0, 0));
    }
    int BarUpper() const {
        return static_cast<int>(SendMessageA(Control(IDC_PROGRESS_BAR), PBM_GETRANGE, FALSE, 0));
    }

    platform::ScriptedUserInterface ui_;
    platform::ScopedUserInterface uiGuard_{ui_};
    CUpgradeProgressDlg dlg_;
    HWND window_ = nullptr;
};

TEST_F(ProgressWindowDialogTest, OpensHiddenWithDisabledCancelAndEmptyBar) {
    EXPECT_FALSE(IsWindowVisible(window_));
    EXPECT_EQ(ControlText(window_, IDC_PROGRESS_BUTTON), "Cancel");
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_PROGRESS_BUTTON)));
    EXPECT_EQ(ControlText(window_, IDC_STATUS_LINE), "");
    EXPECT_EQ(ControlText(window_, IDC_DEVICE_LINE), "Device:  Zarn Jukebox");
    EXPECT_EQ(BarUpper(), 0);
}

TEST_F(ProgressWindowDialogTest, RunSentFromWorkerEndsFullWithDoneAndBeep) {
    dlg_.SetDeviceLine("Device:  Zarn Jukebox 20GB (E:)");
    dlg_.ShowWindow();
    EXPECT_TRUE(IsWindowVisible(window_));
    std::vector<Notification> run = {{UPGSTAT_SCANNING, 0}, {UPGSTAT_SET_RANGE, 5}};
    run.insert(run.end(), 5, Notification{UPGSTAT_STEP, 0});
    run.push_back({UPGSTAT_FINISHED, 0});
    SendFromWorker(run);

    EXPECT_EQ(BarUpper(), 5);
    EXPECT_EQ(BarPosition(), 5);
    EXPECT_EQ(ControlText(window_, IDC_STATUS_LINE), "Status:  Upgrade finished.");
    EXPECT_EQ(ControlText(window_, IDC_DEVICE_LINE), "Device:  Zarn Jukebox 20GB (E:)");
    EXPECT_EQ(ControlText(window_, IDC_PROGRESS_BUTTON), "Done");
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_PROGRESS_BUTTON)));
    EXPECT_EQ(ui_.Beeps(), std::vector<win32::UINT>{MB_OK});  // the default beep
}

// Range from the low 16 bits of the count; an unknown code empties the status line.
TEST_F(ProgressWindowDialogTest, RangeTakesLow16BitsAndUnknownCodeEmptiesStatus) {
    SendFromWorker({{UPGSTAT_SCANNING, 0}, {UPGSTAT_SET_RANGE, 70000}, {12, 0}});
    EXPECT_EQ(BarUpper(), 4464);
    EXPECT_EQ(ControlText(window_, IDC_STATUS_LINE), "");
}

TEST_F(ProgressWindowDialogTest, ButtonAndCloseIgnoredWhileCancelThenDoneDestroys) {
    SendMessageA(window_, WM_COMMAND, MAKEWPARAM(IDC_PROGRESS_BUTTON, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(IDC_PROGRESS_BUTTON)));
    SendMessageA(window_, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(window_));
    SendFromWorker({{UPGSTAT_ERRORS, 0}});
    EXPECT_EQ(ui_.Beeps(), std::vector<win32::UINT>{MB_ICONEXCLAMATION});
    SendMessageA(window_, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window_));
    EXPECT_FALSE(dlg_.HasWindow());
}

}  // namespace
