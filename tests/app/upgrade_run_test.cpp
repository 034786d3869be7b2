#include "app/progress_window.h"
#include "front_end_fixture.h"

namespace {

using namespace win32;

// A dialog whose worker thread can't be started.
class ThreadlessDlg : public CUpgradeUtilityDlg {
  public:
    using CUpgradeUtilityDlg::CUpgradeUtilityDlg;

  protected:
    bool StartWorkerThread(long) override { return false; }
};

class UpgradeRun : public test::FrontEndFixture {
  protected:
    void SetUp() override {
        win32::SYSTEMTIME time{};
        time.wYear = 2026;
        time.wMonth = 12;
        time.wDay = 8;
        time.wHour = 9;
        time.wMinute = 5;
        time.wSecond = 7;
        machine_.SetLocalTime(time);
        WriteDatabase({Model("ZJ-20", "Zarn ZJ-20", {{"QDAV3180.mi4"}, {"kvq.exe"}}, 1)});
        WriteInstalled("ZJ-20\\System\\QDAV3180.mi4", test::FirmwareImage("3.180"));
        WriteInstalled("ZJ-20\\System\\kvq.exe", test::FirmwareProgram("V2.10"));
        AddPlayer('E', "ZJ-20");
        WriteOnDrive("E:\\System\\QDAV3180.mi4", test::FirmwareImage("3.170"));
    }

    void StartOnRow(int row) {
        view_.Select({row});
        dlg_.UpgradeSelectedDevice();
    }
    std::vector<std::string> Captions() const {
        std::vector<std::string> captions;
        for (const auto& box : ui_.Boxes()) captions.push_back(box.caption);
        return captions;
    }
    bool Locked() const {
        for (int id : {IDC_EXIT, IDC_UPGRADE, IDC_REFRESH, IDC_DEVICE_LIST}) {
            if (view_.IsEnabled(id)) return false;
        }
        return true;
    }
};

TEST_F(UpgradeRun, CopiesOnAWorkerAndWritesTheOutcomeWithTheCheckTime) {
    ASSERT_EQ(OpenWindow(), 1);
    StartOnRow(0);
    EXPECT_TRUE(Locked());
    EXPECT_EQ(view_.Cell(0, kColumnUpdateStatus), "Updating...");
    EXPECT_EQ(dlg_.m_nTimerId, kPollTimerId);
    EXPECT_TRUE(view_.TimerRunning(kPollTimerId));
    HeadlessProgressView* progress = view_.LastProgressView();
    ASSERT_NE(progress, nullptr);
    EXPECT_TRUE(progress->shown);
    EXPECT_EQ(progress->deviceLine, "Device:  Zarn ZJ-20 (E:)");

    ASSERT_TRUE(RunUntilIdle());
    EXPECT_EQ(view_.Cell(0, kColumnUpdateStatus), "Upgrade completed successfully 09:05:07");
    EXPECT_EQ(view_.Cell(0, kColumnCurrentVersion), "3.180");
    EXPECT_STREQ(g_deviceList[0]->m_szCurrentVersion, "3.180");
    EXPECT_FALSE(Locked());
    EXPECT_FALSE(view_.TimerRunning(kPollTimerId));
    // The new copy carries the lower-case name, whatever the old one's capitals were.
    EXPECT_EQ(test::ReadHostFile(Host("E:\\System\\qdav3180.mi4")), test::FirmwareImage("3.180"));
    EXPECT_FALSE(test::HostExists(Host("E:\\System\\QDAV3180.mi4")));
    EXPECT_EQ(test::ReadHostFile(Host("E:\\System\\kvq.exe")), test::FirmwareProgram("V2.10"));

    EXPECT_EQ(progress->statusLine, "Status:  Upgrade finished.");
    EXPECT_EQ(progress->caption, "Done");
    EXPECT_TRUE(progress->buttonEnabled);
    EXPECT_EQ(progress->upper, 2);
    EXPECT_EQ(progress->position, 2);
    // Every notification came from another thread and was shown on this one.
    const auto senders = uiThread_.Senders();
    ASSERT_FALSE(senders.empty());
    for (auto sender : senders) EXPECT_NE(sender, std::this_thread::get_id());
    EXPECT_TRUE(ui_.Boxes().empty());
}

TEST_F(UpgradeRun, AVersionCheckThatFailsReportsOnceThroughTheProgressWindowOrABox) {
    // The survey reads no version of a program entry that doesn't compare versions, the check
    // after the run reads it anyway: the player's new version can't match the empty one.
    WriteDatabase({Model("ZJ-20", "Zarn ZJ-20", {{"kvq.exe", 0}}, 0)});
    struct Case {
        bool progressWindow;
        std::vector<std::string> boxes;
        const char* status;
    } const cases[] = {
        {true,
         {},
         "Status:  Errors occurred during upgrade.  Please verify device is working "
         "properly and is not being accessed by another application.  Please repeat "
         "the upgrade.  If problems persist, device firmware may be corrupted."},
        {false, {"ERROR - Firmware Upgrade"}, nullptr},
    };
    for (const Case& c : cases) {
        FreeProgressWindow();
        WriteOnDrive("E:\\System\\kvq.exe", test::FirmwareProgram("V1.00"));
        view_.failProgressWindows = !c.progressWindow;
        const std::size_t boxesBefore = ui_.Boxes().size();
        ASSERT_EQ(dlg_.OnInitDialog(view_), 1);
        EXPECT_EQ(view_.Cell(0, kColumnUpgradeVersion), "");
        StartOnRow(0);
        ASSERT_TRUE(RunUntilIdle());
        EXPECT_EQ(view_.Cell(0, kColumnUpdateStatus), "Errors occurred during upgrade");
        const auto captions = Captions();
        ASSERT_GE(captions.size(), boxesBefore);
        EXPECT_EQ(std::vector<std::string>(captions.begin() + boxesBefore, captions.end()),
                  c.boxes);
        if (c.progressWindow) {
            ASSERT_NE(g_pProgressDlg, nullptr);
            EXPECT_EQ(g_pProgressDlg->StatusLine(), c.status);
        } else {
            EXPECT_EQ(g_pProgressDlg, nullptr);
            EXPECT_EQ(ui_.Boxes().back().text.rfind("Errors occurred during upgrade.  ", 0), 0u);
        }
    }
}

TEST_F(UpgradeRun, AProcedureThatAlreadyToldTheUserGetsNoSecondReport) {
    machine_.FindDrive('E')->freeBytes = 10;  // too little room: the warning box, then code 5
    ASSERT_EQ(OpenWindow(), 1);
    StartOnRow(0);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_EQ(Captions(), std::vector<std::string>{"Free Disk Space"});
    EXPECT_EQ(g_pProgressDlg->StatusLine(),
              "Status:  Upgrade aborted. Unable to complete firmware upgrade.");
    EXPECT_EQ(dlg_.m_bReportErrors, 0);
    EXPECT_EQ(view_.Cell(0, kColumnUpdateStatus), "Errors occurred during upgrade");
    EXPECT_EQ(view_.Cell(0, kColumnCurrentVersion), "3.170");
    EXPECT_EQ(test::ReadHostFile(Host("E:\\System\\QDAV3180.mi4")), test::FirmwareImage("3.170"));
}

TEST_F(UpgradeRun, AReusedProgressWindowStartsAfresh) {
    ASSERT_EQ(OpenWindow(), 1);
    StartOnRow(0);
    ASSERT_TRUE(RunUntilIdle());
    CUpgradeProgressDlg* window = g_pProgressDlg;
    ASSERT_EQ(window->ButtonCaption(), "Done");

    StartOnRow(0);
    EXPECT_EQ(g_pProgressDlg, window);
    EXPECT_EQ(window->ButtonCaption(), "Cancel");
    EXPECT_FALSE(window->ButtonEnabled());
    window->OnButtonOrClose();  // an old "Done" can't close it during the run
    EXPECT_EQ(g_pProgressDlg, window);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_EQ(window->ButtonCaption(), "Done");
    EXPECT_EQ(view_.progressViews.size(), 1u);
}

TEST_F(UpgradeRun, CloseAndExitAreRefusedWhileTheWorkerRuns) {
    ASSERT_EQ(OpenWindow(), 1);
    StartOnRow(0);
    dlg_.OnClose();
    dlg_.OnExit();
    EXPECT_FALSE(view_.ended);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_EQ(ui_.Beeps().front(), MB_OK);
    dlg_.OnClose();
    EXPECT_TRUE(view_.ended);
    EXPECT_EQ(view_.result, IDCANCEL);
}

TEST_F(UpgradeRun, WithoutAnInstallationFolderNothingIsCopiedAndTheCheckFails) {
    machine_.SetProgram("C:\\Program Files\\Zarn\\Updater.exe");
    machine_.SetCurrentDirectory(std::string(kInstallation) + "\\");
    ASSERT_EQ(OpenWindow(), 1);
    StartOnRow(0);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_FALSE(test::HostExists(Host("E:\\System\\kvq.exe")));
    EXPECT_EQ(view_.Cell(0, kColumnUpdateStatus), "Errors occurred during upgrade");
    EXPECT_EQ(g_pProgressDlg->ButtonCaption(), "Done");  // code 11 from the check
}

class FailedWorkerStart : public UpgradeRun {
  protected:
    ThreadlessDlg threadless_{uiThread_};
    test::TestMainView threadlessView_{threadless_, loop_};
};

TEST_F(FailedWorkerStart, ReturnsTheWindowToIdleAfterTheMessage) {
    ASSERT_EQ(threadless_.OnInitDialog(threadlessView_), 1);
    threadlessView_.Select({0});
    threadless_.UpgradeSelectedDevice();
    EXPECT_EQ(Captions(), std::vector<std::string>{"Profiler Error"});
    EXPECT_EQ(ui_.Boxes()[0].text,
              "Error creating the ZarnUpdate Progress thread process.  Profile aborted.");
    EXPECT_EQ(threadless_.m_bUpgradeRunning.load(), 0);
    EXPECT_EQ(threadless_.m_nTimerId, 0u);
    EXPECT_FALSE(threadlessView_.TimerRunning(kPollTimerId));
    for (int id : {IDC_EXIT, IDC_UPGRADE, IDC_REFRESH, IDC_DEVICE_LIST}) {
        EXPECT_TRUE(threadlessView_.IsEnabled(id));
    }
    EXPECT_EQ(g_pProgressDlg, nullptr);
    EXPECT_TRUE(threadlessView_.LastProgressView()->destroyed);
    EXPECT_EQ(threadlessView_.Cell(0, kColumnUpdateStatus), "");
    threadless_.OnDestroy();
}

}  // namespace
