#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "app/qt/about_dialog.h"
#include "app/qt/app_icon.h"
#include "app/qt/dialog_units.h"
#include "app/qt/qt_ui_thread.h"

#include <atomic>
#include <thread>

class PartsTest : public QObject {
    Q_OBJECT

  private slots:
    void dialogUnitsFollowTheFontsMetrics() {
        const QFont font = qtui::DialogFont();
        QCOMPARE(font.pointSize(), 8);
        const qtui::DialogUnits du(font);
        const QFontMetrics metrics(font);
        const int width = metrics.horizontalAdvance(
            QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
        QCOMPARE(du.BaseX(), (width / 26 + 1) / 2);
        QCOMPARE(du.BaseY(), metrics.height());
        QCOMPARE(du.X(4), du.BaseX());
        QCOMPARE(du.Y(8), du.BaseY());
        QCOMPARE(du.X(0), 0);
        // Halves round away from zero, as MulDiv does.
        QCOMPARE(du.X(2), (du.BaseX() * 2 + 2) / 4);
        QCOMPARE(du.Rect(7, 7, 20, 20), QRect(du.X(7), du.Y(7), du.X(20), du.Y(20)));
    }

    void theIconHasBothSizes() {
        const QIcon icon = qtui::AppIcon();
        QVERIFY(!icon.isNull());
        QCOMPARE(icon.availableSizes().size(), 2);
        QVERIFY(qtui::AppIconPixmap(32).toImage().pixelColor(16, 22).alpha() != 0);
    }

    void aWorkersTaskRunsOnTheUiThreadWhileTheWorkerWaits() {
        qtui::QtUiThread uiThread;
        std::atomic<bool> sent{false};
        QThread* ranOn = nullptr;
        bool result = false;
        std::thread worker([&] {
            result = uiThread.Send([&] { ranOn = QThread::currentThread(); });
            sent = true;
        });
        QTimer wake;
        wake.start(5);
        while (!sent) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        worker.join();
        QVERIFY(result);
        QCOMPARE(ranOn, QCoreApplication::instance()->thread());
    }

    void shutdownReleasesAWaitingWorkerWithoutRunningItsTask() {
        qtui::QtUiThread uiThread;
        std::atomic<bool> ran{false};
        std::atomic<int> result{-1};
        std::thread worker([&] { result = uiThread.Send([&] { ran = true; }) ? 1 : 0; });
        while (uiThread.PendingTasks() == 0) std::this_thread::yield();
        uiThread.Shutdown();
        worker.join();
        QCOMPARE(result.load(), 0);
        QCoreApplication::processEvents();  // the queued drain finds nothing to run
        QVERIFY(!ran);
    }

    void theAboutBoxIsAsDesigned() {
        qtui::CAboutDlg about;
        const qtui::DialogUnits du(about.font());
        QCOMPARE(about.windowTitle(), QStringLiteral("About Zarn Upgrade Utility"));
        QCOMPARE(about.size(), QSize(du.X(235), du.Y(85)));
        auto* version = about.findChild<QLabel*>(QStringLiteral("versionText"));
        QVERIFY(version != nullptr);
        QCOMPARE(version->text(), QStringLiteral("Zarn Upgrade Utility\nVersion 1.0.1.0"));
        QVERIFY(about.findChild<QLabel*>(QStringLiteral("noticeText")) != nullptr);
        QCOMPARE(about.OkButton()->text(), QStringLiteral("OK"));
        QVERIFY(about.OkButton()->isDefault());
        about.show();
        QTest::mouseClick(about.OkButton(), Qt::LeftButton);
        QCOMPARE(about.result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(PartsTest)
#include "parts_test.moc"
