// Takes PNG pictures of the main window with the players of a simulated computer, or of this
// computer with an installation folder, of the progress window during an upgrade and after
// it, and of the About box.
//
//   kpz-screenshots --machine FILE --out FOLDER [--drive E]
//   kpz-screenshots --install-folder DIR --out FOLDER [--drive D]
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>
#include <QTreeWidget>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "app/application.h"
#include "app/main_window.h"
#include "app/qt/about_dialog.h"
#include "app/qt/main_window_widgets.h"
#include "app/qt/progress_window_widgets.h"
#include "app/qt/qt_ui_thread.h"
#include "platform/posix/host_system.h"
#include "platform/scripted_ui.h"
#include "platform/sim/machine_file.h"
#include "platform/system.h"

namespace {

struct Options {
    std::string machine;
    std::string installFolder;
    std::string out;
    char drive = 0;  // none given: E: on a simulated computer, the first row on this one
};

const char* const kUsage =
    "usage: kpz-screenshots (--machine FILE | --install-folder DIR) --out FOLDER [--drive LETTER]\n"
    "Writes main-window.png, progress-running.png, progress-done.png, main-window-after.png\n"
    "and about.png of the windows run on the simulated computer FILE (upgrading the player\n"
    "on LETTER, default E), or on this computer with the installation in DIR (upgrading the\n"
    "player on LETTER, default the first one listed; with row-menu.png, its Safely Remove).\n";

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help") {
            std::fputs(kUsage, stdout);
            std::exit(0);
        }
        if (i + 1 >= argc) return false;
        if (arg == "--machine") {
            options.machine = argv[++i];
        } else if (arg == "--install-folder") {
            options.installFolder = argv[++i];
        } else if (arg == "--out") {
            options.out = argv[++i];
        } else if (arg == "--drive" && std::strlen(argv[i + 1]) >= 1) {
            options.drive =
                static_cast<char>(std::toupper(static_cast<unsigned char>(argv[++i][0])));
        } else {
            return false;
        }
    }
    return options.machine.empty() != options.installFolder.empty() && !options.out.empty();
}

bool Save(QWidget* widget, const std::string& folder, const char* name) {
    QCoreApplication::processEvents();
    const QString path = QDir(QString::fromStdString(folder)).filePath(QString::fromLatin1(name));
    if (!widget->grab().save(path)) {
        std::fprintf(stderr, "kpz-screenshots: cannot write %s\n", path.toLocal8Bit().data());
        return false;
    }
    std::printf("%s\n", path.toLocal8Bit().data());
    return true;
}

// Serves the user-interface thread until `done` holds or ten seconds pass.
template <typename F>
bool ServeUntil(F done) {
    QTimer wake;
    wake.start(5);
    QElapsedTimer limit;
    limit.start();
    while (!done() && limit.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return done();
}

// The row's context menu open over the window (Safely Remove), as the screen shows it; the
// menu is closed without choosing.
bool SaveRowMenu(qtui::QtMainWindow& window, int row, const std::string& folder) {
    bool saved = false;
    QTimer::singleShot(200, [&] {
        QWidget* menu = QApplication::activePopupWidget();
        if (menu == nullptr) return;
        const QRect area = window.frameGeometry().united(menu->geometry());
        const QPixmap picture = QGuiApplication::primaryScreen()->grabWindow(
            0, area.x(), area.y(), area.width(), area.height());
        const QString path =
            QDir(QString::fromStdString(folder)).filePath(QStringLiteral("row-menu.png"));
        saved = picture.save(path);
        if (saved) std::printf("%s\n", path.toLocal8Bit().data());
        menu->close();
    });
    QTreeWidget* list = window.DeviceList();
    emit list->customContextMenuRequested(list->visualItemRect(list->topLevelItem(row)).center());
    if (!saved) std::fprintf(stderr, "kpz-screenshots: cannot picture the row's menu\n");
    return saved;
}

int RowOf(qtui::QtMainWindow& window, char drive) {
    for (int row = 0; row < window.RowCount(); ++row) {
        if (window.Cell(row, kColumnDrive) == std::string{drive, ':'}) return row;
    }
    return -1;
}

// The computer the windows run on: the simulated one of the machine file, or this one.
std::unique_ptr<platform::System> MakeComputer(const Options& options) {
    if (options.installFolder.empty()) {
        std::string error;
        auto machine = sim::LoadMachineFile(options.machine, error);
        if (machine == nullptr) std::fprintf(stderr, "kpz-screenshots: %s\n", error.c_str());
        return machine;
    }
    auto host = std::make_unique<platform::posix::HostSystem>();
    const QString folder = QDir(QString::fromStdString(options.installFolder)).absolutePath();
    host->SetProgramFile(folder.toStdString() + "/KPZPortableDeviceSystemFileUpdater");
    return host;
}

int TakePictures(const Options& options) {
    const std::unique_ptr<platform::System> computer = MakeComputer(options);
    if (computer == nullptr) return 2;
    platform::ScopedSystem systemGuard(*computer);
    platform::ScriptedUserInterface ui;  // boxes are answered, never shown, in a picture run
    platform::ScopedUserInterface uiGuard(ui);
    QDir().mkpath(QString::fromStdString(options.out));

    qtui::QtUiThread uiThread;
    CUpgradeUtilityDlg dlg(uiThread);
    g_theApp.SetMainWindow(&dlg);  // the upgrade worker reaches the window through it
    qtui::QtMainWindow window(dlg);
    dlg.OnInitDialog(window);
    bool ok = Save(&window, options.out, "main-window.png");

    const char drive = options.drive != 0 ? options.drive : options.machine.empty() ? 0 : 'E';
    const int row = drive != 0 ? RowOf(window, drive) : window.RowCount() > 0 ? 0 : -1;
    if (row < 0) {
        std::fprintf(stderr, "kpz-screenshots: no player on %c:\n", drive != 0 ? drive : '?');
        dlg.OnDestroy();
        return 1;
    }
    window.DeviceList()->topLevelItem(row)->setSelected(true);
    dlg.OnUpgrade();
    auto* progress = window.findChild<qtui::ProgressDialogWidget*>();
    if (progress != nullptr) {
        // The first step on the bar shows the run under way.
        ServeUntil([&] { return progress->Bar()->value() > 0 || !dlg.m_bUpgradeRunning; });
        ok = Save(progress, options.out, "progress-running.png") && ok;
    }
    ServeUntil([&] { return !dlg.m_bUpgradeRunning; });
    dlg.OnTimer(kPollTimerId);
    if (progress != nullptr) ok = Save(progress, options.out, "progress-done.png") && ok;
    ok = Save(&window, options.out, "main-window-after.png") && ok;
    if (platform::Current().Devices() != nullptr) {
        if (progress != nullptr) progress->hide();  // as its Done button leaves it
        ok = SaveRowMenu(window, row, options.out) && ok;
    }

    qtui::CAboutDlg about(&window);
    about.show();
    ok = Save(&about, options.out, "about.png") && ok;
    about.hide();
    dlg.OnDestroy();
    g_theApp.SetMainWindow(nullptr);
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    if (!ParseOptions(argc, argv, options)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    return TakePictures(options);
}
