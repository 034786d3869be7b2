#include <QApplication>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include "app/application.h"
#include "app/main_window.h"
#include "app/progress_window.h"
#include "app/qt/main_window_widgets.h"
#include "app/qt/progress_window_widgets.h"
#include "app/qt/qt_ui_thread.h"
#include "app/qt/qt_window_system.h"
#include "platform/scripted_ui.h"
#include "platform/sim/machine.h"
#include "support/player_computer.h"

using Computer = test::PlayerComputer;

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        computer_ = std::make_unique<Computer>();
        systemGuard_ = std::make_unique<platform::ScopedSystem>(computer_->machine);
        ui_ = std::make_unique<platform::ScriptedUserInterface>();
        uiGuard_ = std::make_unique<platform::ScopedUserInterface>(*ui_);
        uiThread_ = std::make_unique<qtui::QtUiThread>();
        dlg_ = std::make_unique<CUpgradeUtilityDlg>(*uiThread_);
        g_theApp.SetMainWindow(dlg_.get());  // the worker reaches the window through it
        window_ = std::make_unique<qtui::QtMainWindow>(*dlg_);
    }

    void cleanup() {
        if (dlg_) dlg_->OnDestroy();
        window_.reset();
        g_theApp.SetMainWindow(nullptr);
        dlg_.reset();
        uiThread_.reset();
        uiGuard_.reset();
        ui_.reset();
        systemGuard_.reset();
        computer_.reset();
    }

    void theColumnsAreAsDesigned() {
        dlg_->OnInitDialog(*window_);
        QTreeWidget* list = window_->DeviceList();
        const QStringList headings = {"Drive", "Device", "Current Version", "Upgrade Version",
                                      "Update Status"};
        const int widths[] = {45, 105, 95, 95, 150};
        QCOMPARE(list->columnCount(), 5);
        for (int column = 0; column < 5; ++column) {
            QCOMPARE(list->headerItem()->text(column), headings[column]);
            QCOMPARE(list->columnWidth(column), widths[column]);
            const auto alignment = Qt::Alignment(list->headerItem()->textAlignment(column));
            QCOMPARE(bool(alignment & Qt::AlignHCenter), column == 0);
        }
        QCOMPARE(list->selectionMode(), QAbstractItemView::ExtendedSelection);
        QCOMPARE(list->selectionBehavior(), QAbstractItemView::SelectRows);
        QVERIFY(!list->isSortingEnabled());
    }

    void everyControlHasItsText() {
        dlg_->OnInitDialog(*window_);
        QCOMPARE(window_->windowTitle(), QStringLiteral("Zarn Upgrade Utility"));
        auto button = [&](int id) { return static_cast<QPushButton*>(window_->Control(id)); };
        QCOMPARE(button(IDC_REFRESH)->text(), QStringLiteral("Refresh"));
        QCOMPARE(button(IDC_UPGRADE)->text(), QStringLiteral("Upgrade Device..."));
        QCOMPARE(button(IDC_EXIT)->text(), QStringLiteral("Exit"));
        QVERIFY(button(IDC_EXIT)->isDefault());
        const int steps[] = {IDC_STEP1, IDC_STEP2, IDC_STEP3};
        for (int i = 0; i < 3; ++i) {
            auto* step = static_cast<QTextEdit*>(window_->Control(steps[i]));
            QCOMPARE(step->toPlainText(), QStringLiteral("Step %1:").arg(i + 1));
            QVERIFY(!step->isEnabled());
            QVERIFY(step->isReadOnly());
        }
        QStringList texts;
        for (QLabel* label : window_->findChildren<QLabel*>()) texts << label->text();
        for (const char* text :
             {"Select a Zarn device to upgrade.  Press Refresh to detect supported devices.",
              "Press Upgrade Device to upgrade the firmware for the selected device.",
              "Press Exit to exit the utility when all devices have been upgraded."}) {
            QVERIFY2(texts.contains(QString::fromLatin1(text)), text);
        }
        QCOMPARE(window_->SystemMenuActions().size(), 2);
        QCOMPARE(window_->SystemMenuActions()[1]->text(),
                 QStringLiteral("&About ZarnUpgradeUtility..."));
    }

    void theTitleComesFromTheCommandLine() {
        dlg_->m_strTitle = "Player service";
        dlg_->OnInitDialog(*window_);
        QCOMPARE(window_->windowTitle(), QStringLiteral("Player service"));
    }

    void aRefreshWithTwoPlayersGivesTwoRows() {
        dlg_->OnInitDialog(*window_);
        QTreeWidget* list = window_->DeviceList();
        QCOMPARE(list->topLevelItemCount(), 2);
        const QStringList first = {"E:", "Zarn Jukebox 20", "01.10", "01.20", ""};
        for (int column = 0; column < 5; ++column) {
            QCOMPARE(list->topLevelItem(0)->text(column), first[column]);
        }
        QCOMPARE(list->topLevelItem(1)->text(0), QStringLiteral("G:"));
        QCOMPARE(window_->RowData(0), 0L);
        QCOMPARE(window_->RowData(1), 1L);
        QVERIFY(window_->Control(IDC_UPGRADE)->isEnabled());
        QVERIFY(ui_->Boxes().empty());
    }

    void anUpgradeRunLocksTheWindowAndShowsItsOutcome() {
        dlg_->OnInitDialog(*window_);
        window_->DeviceList()->topLevelItem(0)->setSelected(true);
        QTest::mouseClick(window_->Control(IDC_UPGRADE), Qt::LeftButton);

        QCOMPARE(window_->Cell(0, kColumnUpdateStatus), std::string("Updating..."));
        for (int id : {IDC_EXIT, IDC_UPGRADE, IDC_REFRESH, IDC_DEVICE_LIST}) {
            QVERIFY(!window_->Control(id)->isEnabled());
        }
        auto* progress = window_->findChild<qtui::ProgressDialogWidget*>();
        QVERIFY(progress != nullptr);
        QVERIFY(progress->isVisible());
        QCOMPARE(progress->windowTitle(), QStringLiteral("Zarn Jukebox - Update System Files"));
        QCOMPARE(progress->DeviceLabel()->text(), QStringLiteral("Device:  Zarn Jukebox 20 (E:)"));
        QCOMPARE(progress->Button()->text(), QStringLiteral("Cancel"));
        QVERIFY(!progress->Button()->isEnabled());

        window_->close();  // refused with a beep while the run goes on
        QVERIFY(window_->isVisible());
        QCOMPARE(ui_->Beeps().size(), size_t{1});

        RunWorkerToTheEnd();
        dlg_->OnTimer(kPollTimerId);

        QCOMPARE(progress->Bar()->maximum(), 1);  // one step: the list's one entry
        QCOMPARE(progress->Bar()->value(), progress->Bar()->maximum());
        QCOMPARE(progress->StatusLabel()->text(), QStringLiteral("Status:  Upgrade finished."));
        QCOMPARE(progress->Button()->text(), QStringLiteral("Done"));
        QVERIFY(progress->Button()->isEnabled());
        QCOMPARE(window_->Cell(0, kColumnUpdateStatus),
                 std::string("Upgrade completed successfully 09:05:07"));
        QCOMPARE(window_->Cell(0, kColumnCurrentVersion), std::string("01.20"));
        for (int id : {IDC_EXIT, IDC_UPGRADE, IDC_REFRESH, IDC_DEVICE_LIST}) {
            QVERIFY(window_->Control(id)->isEnabled());
        }

        QPointer<qtui::ProgressDialogWidget> guard(progress);
        QTest::mouseClick(progress->Button(), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(guard.isNull());
        QVERIFY(g_pProgressDlg == nullptr);
    }

    void theProgramsTitleIsItsCommandLineAndExitEndsIt() {
        g_theApp.SetCommandLine("Service bench 2");
        qtui::QtWindowSystem windows;
        QString title;
        int rows = -1;
        QTimer::singleShot(0, [&] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* shown = dynamic_cast<qtui::QtMainWindow*>(widget);
                if (shown == nullptr || shown == window_.get() || !shown->isVisible()) continue;
                title = shown->windowTitle();
                rows = shown->RowCount();
                QTest::mouseClick(shown->Control(IDC_EXIT), Qt::LeftButton);
            }
        });
        QCOMPARE(g_theApp.InitInstance(windows), false);  // no message loop after it
        QCOMPARE(title, QStringLiteral("Service bench 2"));
        QCOMPARE(rows, 2);
        g_theApp.SetCommandLine(std::string());
        g_theApp.SetMainWindow(dlg_.get());
    }

  private:
    // Serves the worker's notifications until it has ended; the poll timer's tick is the
    // test's to give.
    void RunWorkerToTheEnd() {
        QTimer wake;
        wake.start(5);
        QElapsedTimer limit;
        limit.start();
        while (dlg_->m_bUpgradeRunning && limit.elapsed() < 30000) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        QVERIFY(!dlg_->m_bUpgradeRunning);
        QCoreApplication::processEvents();
    }

    std::unique_ptr<Computer> computer_;
    std::unique_ptr<platform::ScopedSystem> systemGuard_;
    std::unique_ptr<platform::ScriptedUserInterface> ui_;
    std::unique_ptr<platform::ScopedUserInterface> uiGuard_;
    std::unique_ptr<qtui::QtUiThread> uiThread_;
    std::unique_ptr<CUpgradeUtilityDlg> dlg_;
    std::unique_ptr<qtui::QtMainWindow> window_;
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
