// The main window on the Linux host: the list follows volumes mounted and removed (not
// during an upgrade), devices without access are told, and Safely Remove releases a row's
// volume.
#include <gtest/gtest.h>

#include <cerrno>
#include <functional>

#include "app/application.h"
#include "app/volume_release.h"
#include "database/database_writer.h"
#include "front_end_fixture.h"
#include "platform/scripted_ui.h"
#include "support/host_tree.h"

namespace {

using platform::RecordedBox;

constexpr const char* kNoDevices =
    "No Zarn devices were detected.  Please connect your device(s) to the computer and select "
    "Refresh.";

class FakeRelease : public VolumeRelease {
  public:
    std::string Release(const std::string& node, bool& poweredOff) override {
        nodes.push_back(node);
        poweredOff = true;
        if (error.empty() && whenReleased) whenReleased();
        return error;
    }
    std::function<void()> whenReleased;  // what the system does when it releases
    std::vector<std::string> nodes;
    std::string error;
};

class HostWindow : public ::testing::Test {
  protected:
    HostWindow() : tree_(temp_) {
        auto scsi = std::make_unique<test::FakeScsi>();
        scsi_ = scsi.get();
        host_ = std::make_unique<platform::posix::HostSystem>(tree_.Paths(), std::move(scsi));
        const std::string installation = temp_.MakeFolder("install");
        host_->SetProgramFile(installation + "/KPZPortableDeviceSystemFileUpdater");
        installed_ = std::make_unique<platform::ScopedSystem>(*host_);
        dbtool::Description model;
        model.productId = "ZJ-20           ";
        model.displayName = "Zarn Jukebox 20";
        model.queryStateFlag = 1;
        dbtool::DatabaseWriter writer;
        writer.Entry(model);
        test::WriteHostFile(installation + "/KPZSupportedPortableDevices.bin", writer.Bytes());
        g_theApp.SetMainWindow(&dlg_);
    }
    ~HostWindow() override {
        dlg_.OnDestroy();
        g_theApp.SetMainWindow(nullptr);
    }

    // A player on USB disk sdX, its partition mounted as `folder`.
    void PlugPlayer(const std::string& disk, unsigned minor, const std::string& folder) {
        tree_.AddDisk(test::UsbDisk(disk, minor, test::InquiryData("Velmora", "ZJ-20")));
        tree_.AddPartition(disk, disk + "1", 8, minor + 1);
        tree_.Mount(8, minor + 1, folder);
        scsi_->Answer("/dev/" + disk, {0x12, 0x01, 0xC0}, {0, 0});
    }

    std::vector<RecordedBox> Boxes() const { return ui_.Boxes(); }

    test::TempDir temp_;
    test::HostTree tree_;
    test::FakeScsi* scsi_ = nullptr;
    std::unique_ptr<platform::posix::HostSystem> host_;
    std::unique_ptr<platform::ScopedSystem> installed_;
    platform::ScriptedUserInterface ui_;
    platform::ScopedUserInterface uiInstalled_{ui_};
    EventLoop loop_{EventLoop::Pace::WhenIdle};
    test::WatchedUiThread uiThread_{loop_};
    CUpgradeUtilityDlg dlg_{uiThread_};
    test::TestMainView view_{dlg_, loop_};
};

TEST_F(HostWindow, TheListFollowsVolumesMountedAndRemoved) {
    EXPECT_EQ(dlg_.OnInitDialog(view_), 0);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, kNoDevices);  // no removable volume at all: the design's text

    PlugPlayer("sdb", 16, "ZARN");
    EXPECT_TRUE(dlg_.OnVolumesChanged());
    ASSERT_EQ(view_.RowCount(), 1);
    EXPECT_EQ(view_.Cell(0, kColumnDrive), "D:");
    EXPECT_EQ(view_.Cell(0, kColumnDevice), "Zarn Jukebox 20");
    EXPECT_TRUE(view_.IsEnabled(IDC_UPGRADE));

    tree_.Unmount("ZARN");
    EXPECT_TRUE(dlg_.OnVolumesChanged());
    EXPECT_EQ(view_.RowCount(), 0);
    EXPECT_FALSE(view_.IsEnabled(IDC_UPGRADE));
    EXPECT_EQ(Boxes().size(), 1u);  // the list shows it; no box for what the user did
}

TEST_F(HostWindow, NoRefreshOfItsOwnDuringAnUpgrade) {
    PlugPlayer("sdb", 16, "ZARN");
    ASSERT_EQ(dlg_.OnInitDialog(view_), 1);
    view_.SetCell(0, kColumnUpdateStatus, "Updating...");
    for (auto running : {std::pair{1, 0u}, std::pair{0, 7u}}) {  // the worker, then the timer
        dlg_.m_bUpgradeRunning = running.first;
        dlg_.m_nTimerId = running.second;
        PlugPlayer(running.first ? "sdc" : "sdd", running.first ? 32 : 48, "other");
        EXPECT_FALSE(dlg_.OnVolumesChanged());
        EXPECT_EQ(view_.RowCount(), 1);
        EXPECT_EQ(view_.Cell(0, kColumnUpdateStatus), "Updating...");
        tree_.Unmount("other");
    }
    dlg_.m_bUpgradeRunning = 0;
    dlg_.m_nTimerId = 0;
}

TEST_F(HostWindow, ADeviceWithoutAccessIsToldInTheRefreshBox) {
    PlugPlayer("sdb", 16, "ZARN");
    scsi_->Refuse("/dev/sdb", EACCES);
    EXPECT_EQ(dlg_.OnInitDialog(view_), 1);  // listed from sysfs, its state unread
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].caption, "Device Detection Error");
    EXPECT_EQ(Boxes()[0].text,
              "D: /dev/sdb: permission denied: install the udev rule or run with access to the "
              "device");
}

// A box of the survey runs the event loop, where the volume watch may be heard: the list is
// not rebuilt under the Refresh that is asking, but once more after it.
TEST_F(HostWindow, AVolumeChangeDuringARefreshWaitsForItsEnd) {
    class AskingUi : public platform::ScriptedUserInterface {
      public:
        int MessageBox(win32::HWND owner, const std::string& text, const std::string& caption,
                       win32::UINT flags) override {
            if (std::exchange(duringBox, nullptr) != nullptr) heardDuringBox = hook();
            return ScriptedUserInterface::MessageBox(owner, text, caption, flags);
        }
        std::function<bool()> hook;
        std::function<bool()>* duringBox = &hook;
        int heardDuringBox = -1;
    } ui;
    platform::ScopedUserInterface installed(ui);
    dbtool::Description model;
    model.productId = "ZJ-20           ";
    model.displayName = "Zarn Jukebox 20";
    model.hasSystemFiles = 1;
    model.firmwareHeaderFlag = 1;
    model.systemFolder = "\\System";
    model.systemFiles = {{"QDAV3180.mi4", 1, 0}};  // not installed: the survey asks
    test::WriteHostFile(temp_.PathOf("install/KPZSupportedPortableDevices.bin"),
                        dbtool::DatabaseWriter().Entry(model).Bytes());
    PlugPlayer("sdb", 16, "ZARN");
    ui.hook = [this] {
        PlugPlayer("sdc", 32, "SECOND");
        return dlg_.OnVolumesChanged();
    };
    EXPECT_EQ(dlg_.OnInitDialog(view_), -1);  // answered No: the Refresh stopped
    EXPECT_EQ(ui.heardDuringBox, 0);          // not rebuilt under the asking Refresh
    const auto boxes = ui.Boxes();
    ASSERT_EQ(boxes.size(), 2u);  // the Refresh's question, then the one of the one after it
    EXPECT_EQ(boxes[0].caption, "ERROR - Missing Files");
    EXPECT_EQ(boxes[1].caption, "ERROR - Missing Files");
}

TEST_F(HostWindow, SafelyRemoveReleasesTheRowsVolume) {
    PlugPlayer("sdb", 16, "ZARN");
    ASSERT_EQ(dlg_.OnInitDialog(view_), 1);
    FakeRelease release;
    release.error = "Error unmounting /dev/sdb1: target is busy";
    ASSERT_TRUE(dlg_.CanSafelyRemove(0));
    dlg_.OnSafelyRemove(0, release);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text,
              "D: (/dev/sdb1) could not be removed safely: Error unmounting /dev/sdb1: target is "
              "busy");
    EXPECT_EQ(Boxes()[0].icon, win32::MB_ICONWARNING);
    EXPECT_EQ(view_.RowCount(), 1);

    release.error.clear();
    release.whenReleased = [this] { tree_.Unmount("ZARN"); };
    dlg_.OnSafelyRemove(0, release);
    EXPECT_EQ(release.nodes, (std::vector<std::string>{"/dev/sdb1", "/dev/sdb1"}));
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(Boxes()[1].icon, win32::MB_ICONINFORMATION);
    EXPECT_EQ(Boxes()[1].text,
              "D: (/dev/sdb1) is unmounted and powered off: the player can be unplugged now.");
    EXPECT_EQ(view_.RowCount(), 0);  // the list followed
}

TEST_F(HostWindow, SafelyRemoveIsNotOfferedDuringAnUpgrade) {
    PlugPlayer("sdb", 16, "ZARN");
    ASSERT_EQ(dlg_.OnInitDialog(view_), 1);
    dlg_.m_bUpgradeRunning = 1;
    FakeRelease release;
    EXPECT_FALSE(dlg_.CanSafelyRemove(0));
    dlg_.OnSafelyRemove(0, release);
    EXPECT_TRUE(release.nodes.empty());
    EXPECT_EQ(ui_.Beeps().size(), 1u);
    dlg_.m_bUpgradeRunning = 0;
}

}  // namespace
