#include <filesystem>

#include "app/application.h"
#include "front_end_fixture.h"

namespace {

using namespace win32;
using dbtool::SystemFile;

constexpr const char* kMissingFilesText =
    "An error occurred trying to locate the Zarn Upgrade firmware files.  The Zarn Upgrade "
    "Utility may be corrupt and/or missing files.  It is recommended to exit now and download the "
    "Zarn Upgrade Utiilty again.  Failure to do so may result in some Zarn devices not being "
    "properly detected by the utility.\n\nDo you want to Exit now?";

class MainWindow : public test::FrontEndFixture {
  protected:
    // ZJ-20 surveyed through its image, ZJ-30 through its program.
    void SetUp() override {
        WriteDatabase({Model("ZJ-20", "Zarn ZJ-20", {{"QDAV3180.mi4"}, {"Data\\*"}}, 1),
                       Model("ZJ-30", "Zarn ZJ-30", {{"KVQ.EXE"}, {"Data\\"}})});
        WriteInstalled("ZJ-20\\System\\QDAV3180.mi4", test::FirmwareImage("3.180"));
        WriteInstalled("ZJ-30\\System\\kvq.exe", test::FirmwareProgram("V2.10"));
        AddPlayer('E', "ZJ-20");
        AddPlayer('G', "ZJ-30");
        WriteOnDrive("E:\\System\\QDAV3180.mi4", test::FirmwareImage("3.170"));
    }

    std::vector<std::string> Row(int row) const { return view_.rows.at(row).cells; }
    std::size_t BoxesCaptioned(const std::string& caption) const {
        std::size_t count = 0;
        for (const auto& box : ui_.Boxes()) count += box.caption == caption;
        return count;
    }
};

TEST_F(MainWindow, ListsTwoPlayersInDriveOrderWithTheirVersions) {
    EXPECT_EQ(OpenWindow(), 2);
    ASSERT_EQ(view_.RowCount(), 2);
    EXPECT_EQ(Row(0), (std::vector<std::string>{"E:", "Zarn ZJ-20", "3.170", "3.180", ""}));
    EXPECT_EQ(Row(1), (std::vector<std::string>{"G:", "Zarn ZJ-30", "----", "V2.10", ""}));
    EXPECT_EQ(view_.RowData(0), 0);
    EXPECT_EQ(view_.RowData(1), 1);
    ASSERT_EQ(g_deviceList.size(), 2u);
    EXPECT_EQ(g_deviceList[1]->device.driveLetter, 'G');
    EXPECT_TRUE(view_.IsEnabled(IDC_DEVICE_LIST));
    EXPECT_TRUE(view_.IsEnabled(IDC_UPGRADE));
    EXPECT_TRUE(ui_.Boxes().empty());
    // The wait cursor came and went.
    ASSERT_GE(ui_.CursorChanges().size(), 2u);
    EXPECT_TRUE(ui_.CursorChanges().front());
    EXPECT_FALSE(ui_.CursorChanges().back());
}

TEST_F(MainWindow, SurveysOnlyTheFirstFirmwareEntryByItsRule) {
    auto withoutSystemFiles = Model("ZJ-20", "Zarn ZJ-20", {{"QDAV3180.mi4"}}, 1);
    withoutSystemFiles.hasSystemFiles = 0;
    struct Case {
        const char* what;
        dbtool::Description model;
        const char* current;
        const char* upgrade;
    } const cases[] = {
        {"no system files", withoutSystemFiles, "----", ""},
        {"the image, by its header", Model("ZJ-20", "Zarn ZJ-20", {{"QDAV3180.mi4"}}, 1), "3.170",
         "3.180"},
        {"the program listed first: the image is not looked at",
         Model("ZJ-20", "Zarn ZJ-20", {{"kvq.exe"}, {"QDAV3180.mi4"}}, 1), "V2.00", "V2.10"},
        {"a program entry without version compare",
         Model("ZJ-20", "Zarn ZJ-20", {{"kvq.exe", 0}, {"QDAV3180.mi4"}}, 1), "----", ""},
        {"an image without the header flag", Model("ZJ-20", "Zarn ZJ-20", {{"QDAV3180.mi4"}}, 0),
         "----", ""},
        {"folder, wildcard and rooted entries are no firmware entry",
         Model("ZJ-20", "Zarn ZJ-20", {{"kvq.exe\\"}, {"*kvq.exe"}, {"\\QDAV3180.mi4"}}, 1), "----",
         ""},
    };
    WriteInstalled("ZJ-20\\System\\kvq.exe", test::FirmwareProgram("V2.10"));
    WriteOnDrive("E:\\System\\kvq.exe", test::FirmwareProgram("V2.00"));
    ASSERT_EQ(OpenWindow(), 2);
    for (const Case& c : cases) {
        WriteDatabase({c.model});
        ASSERT_EQ(dlg_.OnRefresh(), 1) << c.what;
        EXPECT_EQ(view_.Cell(0, kColumnCurrentVersion), c.current) << c.what;
        EXPECT_EQ(view_.Cell(0, kColumnUpgradeVersion), c.upgrade) << c.what;
    }
    EXPECT_TRUE(ui_.Boxes().empty());
}

TEST_F(MainWindow, MissingInstalledFirmwareAsksToExit) {
    ASSERT_EQ(OpenWindow(), 2);
    const auto rows = view_.rows;
    std::filesystem::remove(Host(std::string(kInstallation) + "\\ZJ-30\\System\\kvq.exe"));

    ui_.Answer(IDNO);
    EXPECT_EQ(dlg_.OnRefresh(), -1);
    ASSERT_EQ(ui_.Boxes().size(), 1u);
    const auto box = ui_.Boxes()[0];
    EXPECT_EQ(box.caption, "ERROR - Missing Files");
    EXPECT_EQ(box.text, kMissingFilesText);
    EXPECT_EQ(box.icon, MB_ICONWARNING);
    EXPECT_EQ(box.buttons, MB_YESNO);
    EXPECT_EQ(box.owner, view_.Handle());
    EXPECT_FALSE(view_.ended);
    EXPECT_EQ(dlg_.m_bExitRequested, 0);
    // The stopped Refresh keeps the rows and the list they stand for.
    EXPECT_EQ(view_.RowCount(), 2);
    EXPECT_EQ(view_.Cell(1, kColumnDrive), rows[1].cells[0]);
    ASSERT_EQ(g_deviceList.size(), 2u);
    EXPECT_EQ(g_deviceList[static_cast<std::size_t>(view_.RowData(1))]->device.driveLetter, 'G');

    ui_.Answer(IDYES);
    EXPECT_EQ(dlg_.OnRefresh(), -1);
    EXPECT_EQ(dlg_.m_bExitRequested, 1);
    EXPECT_TRUE(view_.ended);
    EXPECT_EQ(view_.result, IDOK);
}

TEST_F(MainWindow, NoOnTheFirstRefreshLeavesAnEmptyEnabledList) {
    std::filesystem::remove(Host(std::string(kInstallation) + "\\ZJ-20\\System\\QDAV3180.mi4"));
    EXPECT_EQ(OpenWindow(), -1);  // the player itself is fine; the installation isn't
    EXPECT_EQ(BoxesCaptioned("ERROR - Missing Files"), 1u);
    EXPECT_EQ(view_.RowCount(), 0);
    EXPECT_TRUE(g_deviceList.empty());
    EXPECT_TRUE(view_.IsEnabled(IDC_DEVICE_LIST));
    EXPECT_TRUE(view_.IsEnabled(IDC_UPGRADE));

    dlg_.UpgradeSelectedDevice();
    ASSERT_EQ(BoxesCaptioned("No Device Selection"), 1u);
    EXPECT_EQ(ui_.Boxes().back().text, "Please select a Zarn Device to upgrade.");
    EXPECT_EQ(view_.focus, IDC_DEVICE_LIST);
    EXPECT_EQ(dlg_.m_bUpgradeRunning.load(), 0);
}

TEST_F(MainWindow, AnInstalledFileThatCannotBeOpenedStopsSilently) {
    ASSERT_EQ(OpenWindow(), 2);
    const std::string installed = Host(std::string(kInstallation) + "\\ZJ-30\\System\\kvq.exe");
    std::filesystem::remove(installed);
    std::filesystem::create_directories(installed);  // there, but no file to open
    EXPECT_EQ(dlg_.OnRefresh(), -1);
    EXPECT_TRUE(ui_.Boxes().empty());
    EXPECT_EQ(view_.RowCount(), 2);
    EXPECT_EQ(g_deviceList.size(), 2u);
}

TEST_F(MainWindow, NoPlayersDisablesTheListAndSaysSo) {
    machine_.Unplug('E');
    machine_.Unplug('G');
    EXPECT_EQ(OpenWindow(), 0);
    EXPECT_FALSE(view_.IsEnabled(IDC_DEVICE_LIST));
    EXPECT_FALSE(view_.IsEnabled(IDC_UPGRADE));
    EXPECT_TRUE(view_.IsEnabled(IDC_REFRESH));
    ASSERT_EQ(ui_.Boxes().size(), 1u);
    EXPECT_EQ(ui_.Boxes()[0].caption, "Device Detection Error");
    EXPECT_EQ(ui_.Boxes()[0].text,
              "No Zarn devices were detected.  Please connect your device(s) to the computer and "
              "select Refresh.");
}

TEST_F(MainWindow, WithoutAnInstallationFolderTheUpgradeVersionsStayEmpty) {
    machine_.SetProgram("C:\\Program Files\\Zarn\\Updater.exe");
    machine_.SetCurrentDirectory(std::string(kInstallation) + "\\");  // the database's bare name
    std::filesystem::remove(Host(std::string(kInstallation) + "\\ZJ-30\\System\\kvq.exe"));
    EXPECT_EQ(OpenWindow(), 2);
    EXPECT_EQ(view_.Cell(0, kColumnUpgradeVersion), "");
    EXPECT_EQ(view_.Cell(0, kColumnCurrentVersion), "3.170");
    EXPECT_EQ(view_.Cell(1, kColumnUpgradeVersion), "");
    EXPECT_TRUE(ui_.Boxes().empty());
}

class StartUp : public test::FrontEndFixture {
  protected:
    // What the last main window showed, kept after start-up has destroyed it.
    struct Seen {
        std::string title;
        std::vector<DeviceListColumn> columns;
        std::vector<std::pair<unsigned, std::string>> menu;
        int modalRuns = 0;
    } seen_;

    class KeptView : public test::TestMainView {
      public:
        KeptView(CUpgradeUtilityDlg& dlg, EventLoop& loop, Seen& seen)
            : TestMainView(dlg, loop), seen_(seen) {}
        ~KeptView() override { seen_ = {title, columns, systemMenu, modalRuns}; }

      private:
        Seen& seen_;
    };

    class Windows : public WindowSystem {
      public:
        explicit Windows(StartUp& test) : test_(test) {}
        UiThread& UserInterfaceThread() override { return test_.uiThread_; }
        std::unique_ptr<MainWindowView> CreateMainWindow(CUpgradeUtilityDlg& dlg) override {
            return std::make_unique<KeptView>(dlg, test_.loop_, test_.seen_);
        }

      private:
        StartUp& test_;
    };

    void Start(const std::string& commandLine) {
        g_theApp.SetCommandLine(commandLine);
        Windows windows(*this);
        EXPECT_FALSE(g_theApp.InitInstance(windows));
        EXPECT_EQ(g_theApp.MainWindow(), nullptr);
        g_theApp.SetMainWindow(&dlg_);
    }
};

TEST_F(StartUp, TitlesTheWindowFromTheCommandLine) {
    struct Case {
        std::string commandLine, title;
    } const cases[] = {
        {"", "Zarn Upgrade Utility"},
        {"--detect now", "--detect now"},
        {"  Zarn  ", "  Zarn  "},
    };
    for (const Case& c : cases) {
        Start(c.commandLine);
        EXPECT_EQ(seen_.title, c.title);
        EXPECT_EQ(seen_.modalRuns, 1);
        EXPECT_TRUE(g_deviceList.empty());  // destroyed with the window
    }
    ASSERT_EQ(seen_.columns.size(), 5u);
    EXPECT_STREQ(seen_.columns[0].heading, "Drive");
    EXPECT_EQ(seen_.columns[0].alignment, ColumnAlignment::Centre);
    EXPECT_EQ(seen_.columns[0].widthPixels, 45);
    EXPECT_STREQ(seen_.columns[4].heading, "Update Status");
    EXPECT_EQ(seen_.columns[4].widthPixels, 150);
    EXPECT_EQ(seen_.menu, (std::vector<std::pair<unsigned, std::string>>{
                              {IDM_ABOUTBOX, "&About ZarnUpgradeUtility..."}}));
    EXPECT_EQ(CommandLineText(3, std::vector<const char*>{"prog", "a", "b c"}.data()), "a b c");
}

TEST_F(StartUp, AboutBoxOnItsSystemCommandOnly) {
    OpenWindow();
    EXPECT_TRUE(dlg_.OnSysCommand(IDM_ABOUTBOX | 0x0F));
    EXPECT_FALSE(dlg_.OnSysCommand(0xF060));
    EXPECT_EQ(view_.aboutBoxes, 1);
}

}  // namespace
