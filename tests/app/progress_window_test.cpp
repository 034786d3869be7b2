#include "app/progress_window.h"

#include "app/event_loop.h"
#include "app/headless_views.h"
#include "app/main_window.h"
#include "support/sim_fixture.h"

namespace {

using namespace win32;

class ProgressWindow : public test::SimFixture {
  protected:
    ProgressWindow() : main_(loop_), view_(main_, loop_) {}

    void SetUp() override {
        auto window = std::make_unique<CUpgradeProgressDlg>();
        ASSERT_TRUE(window->Create(view_));
        g_pProgressDlg = window.release();
    }
    void TearDown() override { FreeProgressWindow(); }

    void Send(std::uint32_t code) { g_pProgressDlg->OnUpgradeStatus(code, nullptr); }
    void Send(std::uint32_t code, std::uint32_t pos, std::uint32_t count) {
        tagUPDATESYSFILEINFO info;
        info.dwPos = pos;
        info.dwCount = count;
        g_pProgressDlg->OnUpgradeStatus(code, &info);
    }
    HeadlessProgressView& Shown() { return *view_.LastProgressView(); }

    EventLoop loop_;
    CUpgradeUtilityDlg main_;
    HeadlessMainWindowView view_;
};

TEST_F(ProgressWindow, StartsWithAnEmptyBarAndADisabledCancel) {
    EXPECT_EQ(Shown().caption, "Cancel");
    EXPECT_FALSE(Shown().buttonEnabled);
    EXPECT_EQ(Shown().statusLine, "");
    EXPECT_EQ(Shown().deviceLine, "Device:  Zarn Jukebox");
    EXPECT_EQ(Shown().upper, 0);
    EXPECT_EQ(g_pProgressDlg->Bar().Step(), 1);
    g_pProgressDlg->OnButtonOrClose();  // "Cancel" doesn't close it
    ASSERT_NE(g_pProgressDlg, nullptr);
    EXPECT_FALSE(Shown().destroyed);
}

TEST_F(ProgressWindow, ShowsEachOutcomeWithDoneAndItsSound) {
    struct Case {
        std::uint32_t code;
        const char* text;
        std::vector<UINT> beeps;
    } const cases[] = {
        {UPGSTAT_FINISHED, "Upgrade finished.", {MB_OK}},
        {UPGSTAT_CANCELED, "Upgrade Canceled.  This may take a few seconds...", {}},
        {UPGSTAT_NO_FIRMWARE,
         "Upgrade aborted.  Unable to locate firmware for upgrade process.  Upgrade utility may "
         "be corrupt and/or missing files.",
         {}},
        {UPGSTAT_ABORTED, "Upgrade aborted. Unable to complete firmware upgrade.", {}},
        {UPGSTAT_DEVICE_LOST,
         "Upgrade aborted.  The device is no longer connected to the system and/or is not "
         "working properly.",
         {}},
        {UPGSTAT_FILES_NEWER,
         "One or more of the system files on your device is missing or newer than the files "
         "installed on your system. Please check the web for the latest software updates for "
         "your device.",
         {MB_ICONEXCLAMATION}},
        {UPGSTAT_ERRORS,
         "Errors occurred during upgrade.  Please verify device is working properly and is not "
         "being accessed by another application.  Please repeat the upgrade.  If problems "
         "persist, device firmware may be corrupted.",
         {MB_ICONEXCLAMATION}},
    };
    for (const Case& c : cases) {
        g_pProgressDlg->OnInitDialog();
        const auto beepsBefore = ui_.Beeps().size();
        const int repaints = Shown().repaints;
        Send(c.code);
        EXPECT_EQ(Shown().statusLine, std::string("Status:  ") + c.text) << c.code;
        EXPECT_EQ(Shown().caption, "Done") << c.code;
        EXPECT_TRUE(Shown().buttonEnabled) << c.code;
        EXPECT_EQ(Shown().repaints, repaints + 1) << c.code;
        const auto beeps = ui_.Beeps();
        EXPECT_EQ(std::vector<UINT>(beeps.begin() + beepsBefore, beeps.end()), c.beeps) << c.code;
    }
}

TEST_F(ProgressWindow, ProgressCodesMoveTheBarAndKeepCancel) {
    struct Step {
        std::uint32_t code;
        bool withRecord;
        std::uint32_t pos, count;
        const char* status;  // null: as before
        int upper, position;
    } const steps[] = {
        {UPGSTAT_SCANNING, false, 0, 0, "Status:  Scanning device...", 0, 0},
        {UPGSTAT_SET_RANGE, false, 0, 9, nullptr, 0, 0},        // no record: nothing at all
        {UPGSTAT_SET_RANGE, true, 0, 70000, nullptr, 4464, 0},  // the low 16 bits
        {UPGSTAT_SET_RANGE, true, 0, 10, nullptr, 10, 0},
        {UPGSTAT_STEP, true, 0, 10, "Status:  Upgrading device...", 10, 1},
        {UPGSTAT_SET_POS, true, 7, 0, "Status:  Upgrading device...", 10, 7},
        {UPGSTAT_SET_POS, false, 0, 0, "Status:  Upgrading device...", 10, 8},
        {UPGSTAT_ADVANCE, true, 0, 2, "Status:  Updating device...", 10, 10},
        {UPGSTAT_ADVANCE, false, 0, 0, "Status:  Updating device...", 10, 10},
        {UPGSTAT_ADVANCE, true, 0, 5, "Status:  Updating device...", 10, 10},  // kept in range
        {UPGSTAT_SET_POS, true, 40, 0, "Status:  Upgrading device...", 10, 10},
        {0, false, 0, 0, "", 10, 10},
        {UPGSTAT_SCANNING, false, 0, 0, "Status:  Scanning device...", 10, 10},
        {12, true, 3, 3, "", 10, 10},
    };
    for (const Step& s : steps) {
        const int repaints = Shown().repaints;
        const std::string before = Shown().statusLine;
        s.withRecord ? Send(s.code, s.pos, s.count) : Send(s.code);
        EXPECT_EQ(Shown().statusLine, s.status ? s.status : before) << s.code;
        EXPECT_EQ(Shown().upper, s.upper) << s.code;
        EXPECT_EQ(Shown().position, s.position) << s.code;
        EXPECT_EQ(Shown().repaints, repaints + (s.code == UPGSTAT_SET_RANGE ? 0 : 1)) << s.code;
        EXPECT_EQ(Shown().caption, "Cancel");
        EXPECT_FALSE(Shown().buttonEnabled);
    }
}

TEST_F(ProgressWindow, AWholeRunFillsTheBarAndDoneClosesTheWindow) {
    Send(UPGSTAT_SCANNING);
    Send(UPGSTAT_SET_RANGE, 0, 5);
    for (int i = 0; i < 5; ++i) Send(UPGSTAT_STEP, 0, 5);
    Send(UPGSTAT_FINISHED);
    EXPECT_EQ(Shown().position, 5);
    EXPECT_EQ(Shown().upper, 5);
    EXPECT_EQ(Shown().statusLine, "Status:  Upgrade finished.");
    EXPECT_EQ(ui_.Beeps(), std::vector<UINT>{MB_OK});

    Send(UPGSTAT_STEP, 0, 5);  // a step past the end starts the bar over
    EXPECT_EQ(Shown().position, 1);

    g_pProgressDlg->OnButtonOrClose();
    EXPECT_EQ(g_pProgressDlg, nullptr);
    EXPECT_TRUE(Shown().destroyed);
}

}  // namespace
