// The desktop program's window on the Linux host: names from the database in the code page
// shown as Unicode, the list following the volumes, Safely Remove in a row's menu.
#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include "app/application.h"
#include "app/main_window.h"
#include "app/qt/main_window_widgets.h"
#include "app/qt/qt_ui_thread.h"
#include "database/database_writer.h"
#include "platform/scripted_ui.h"
#include "support/host_tree.h"

namespace {

class RecordedRelease : public VolumeRelease {
  public:
    std::string Release(const std::string& node, bool& poweredOff) override {
        nodes.push_back(node);
        poweredOff = false;
        return {};
    }
    std::vector<std::string> nodes;
};

// This computer as a fixture tree, with the utility installed and a player on D:.
class HostComputer {
  public:
    HostComputer() : tree(temp) {
        const std::string installation = temp.MakeFolder("install");
        dbtool::Description model;
        model.productId = "ZJ-20           ";
        model.displayName = "Zarn Jukebox \xC9t\xE9";  // Windows-1252 bytes
        std::string error;
        if (!dbtool::DatabaseWriter().Entry(model).WriteFile(
                installation + "/KPZSupportedPortableDevices.bin", error)) {
            qFatal("%s", error.c_str());
        }
        tree.AddDisk(test::UsbDisk("sdb", 16, test::InquiryData("Velmora", "ZJ-20")));
        tree.AddPartition("sdb", "sdb1", 8, 17);
        tree.Mount(8, 17, "ZARN");
        host = std::make_unique<platform::posix::HostSystem>(tree.Paths(),
                                                             std::make_unique<test::FakeScsi>());
        host->SetProgramFile(installation + "/KPZPortableDeviceSystemFileUpdater");
    }

    test::TempDir temp;
    test::HostTree tree;
    std::unique_ptr<platform::posix::HostSystem> host;
};

}  // namespace

class HostWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        computer_ = std::make_unique<HostComputer>();
        systemGuard_ = std::make_unique<platform::ScopedSystem>(*computer_->host);
        uiGuard_ = std::make_unique<platform::ScopedUserInterface>(ui_);
        dlg_ = std::make_unique<CUpgradeUtilityDlg>(uiThread_);
        g_theApp.SetMainWindow(dlg_.get());
        window_ = std::make_unique<qtui::QtMainWindow>(*dlg_);
        dlg_->OnInitDialog(*window_);
    }
    void cleanup() {
        dlg_->OnDestroy();
        g_theApp.SetMainWindow(nullptr);
        window_.reset();
        dlg_.reset();
        uiGuard_.reset();
        systemGuard_.reset();
        computer_.reset();
    }

    void namesInTheCodePageShowAsUnicode() {
        QTreeWidget* list = window_->DeviceList();
        QCOMPARE(list->topLevelItemCount(), 1);
        QCOMPARE(list->topLevelItem(0)->text(kColumnDevice), QString::fromUtf8("Zarn Jukebox Été"));
        // And back: the window's logic reads the bytes it wrote.
        QCOMPARE(window_->Cell(0, kColumnDevice), std::string("Zarn Jukebox \xC9t\xE9"));
    }

    void theListFollowsTheVolumes() {
        QVERIFY(window_->WatchingVolumes());
        computer_->tree.Unmount("ZARN");
        QVERIFY(dlg_->OnVolumesChanged());
        QCOMPARE(window_->DeviceList()->topLevelItemCount(), 0);
    }

    void safelyRemoveIsInTheRowsMenuNotANewControl() {
        QCOMPARE(window_->findChildren<QPushButton*>().size(), 3);  // Refresh, Upgrade, Exit
        auto release = std::make_unique<RecordedRelease>();
        RecordedRelease* recorded = release.get();
        window_->SetVolumeRelease(std::move(release));
        QStringList entries;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu != nullptr);
            for (QAction* action : menu->actions()) {
                entries << action->text();
                if (action->text() == "Safely Remove" && action->isEnabled()) action->trigger();
            }
            menu->close();
        });
        QTreeWidget* list = window_->DeviceList();
        const QRect row = list->visualItemRect(list->topLevelItem(0));
        emit list->customContextMenuRequested(row.center());
        QCOMPARE(entries, QStringList{"Safely Remove"});
        QCOMPARE(recorded->nodes, std::vector<std::string>{"/dev/sdb1"});
        const auto boxes = ui_.Boxes();
        QCOMPARE(boxes.size(), std::size_t{1});
        QCOMPARE(boxes[0].caption, std::string("Safely Remove"));
    }

  private:
    std::unique_ptr<HostComputer> computer_;
    std::unique_ptr<platform::ScopedSystem> systemGuard_;
    platform::ScriptedUserInterface ui_;
    std::unique_ptr<platform::ScopedUserInterface> uiGuard_;
    qtui::QtUiThread uiThread_;
    std::unique_ptr<CUpgradeUtilityDlg> dlg_;
    std::unique_ptr<qtui::QtMainWindow> window_;
};

QTEST_MAIN(HostWindowTest)
#include "host_window_test.moc"
