#include "front_end_runs.h"

#include <QCoreApplication>
#include <QTimer>
#include <QTreeWidget>
#include <stdexcept>

#include "app/application.h"
#include "app/event_loop.h"
#include "app/headless_views.h"
#include "app/main_window.h"
#include "app/qt/main_window_widgets.h"
#include "app/qt/qt_ui_thread.h"
#include "app/window_ids.h"

namespace bench {
namespace {

// The main window recorded as the application's for the worker, for one run.
class MainWindowGuard {
  public:
    explicit MainWindowGuard(CUpgradeUtilityDlg& dlg) : dlg_(dlg) { g_theApp.SetMainWindow(&dlg); }
    ~MainWindowGuard() {
        dlg_.OnDestroy();
        g_theApp.SetMainWindow(nullptr);
    }

  private:
    CUpgradeUtilityDlg& dlg_;
};

void ExpectOneRow(int rows, SimulatedComputer& computer) {
    if (rows != 1) {
        throw std::runtime_error("the Refresh found " + std::to_string(rows) + " players " +
                                 computer.FirstBox());
    }
}

void ExpectNoBox(SimulatedComputer& computer) {
    if (!computer.FirstBox().empty()) throw std::runtime_error(computer.FirstBox());
}

}  // namespace

void ExpectCompleted(const std::string& status) {
    if (status.rfind("Upgrade completed successfully", 0) != 0) {
        throw std::runtime_error("the upgrade ended with \"" + status + "\"");
    }
}

RunOutcome UpgradeWithHeadlessViews(const ComputerLayout& layout) {
    SimulatedComputer computer(layout);
    EventLoop loop(EventLoop::Pace::WhenIdle);
    CUpgradeUtilityDlg dlg(loop);
    HeadlessMainWindowView view(dlg, loop);
    MainWindowGuard guard(dlg);
    ExpectOneRow(dlg.OnInitDialog(view), computer);
    view.Select({0});

    const std::uint64_t slept = computer.Machine().TotalSleptMilliseconds();
    Stopwatch watch;
    dlg.OnUpgrade();
    const bool ended =
        loop.RunUntil([&] { return dlg.m_bUpgradeRunning.load() == 0 && dlg.m_nTimerId == 0; });
    RunOutcome outcome{watch.Stop(), view.Cell(0, kColumnUpdateStatus),
                       computer.Machine().TotalSleptMilliseconds() - slept};
    if (!ended) throw std::runtime_error("the run did not end");
    ExpectNoBox(computer);
    return outcome;
}

RunOutcome UpgradeWithQtWindows(const ComputerLayout& layout) {
    SimulatedComputer computer(layout);
    qtui::QtUiThread uiThread;
    CUpgradeUtilityDlg dlg(uiThread);
    auto window = std::make_unique<qtui::QtMainWindow>(dlg);
    MainWindowGuard guard(dlg);
    ExpectOneRow(dlg.OnInitDialog(*window), computer);
    window->DeviceList()->topLevelItem(0)->setSelected(true);

    const std::uint64_t slept = computer.Machine().TotalSleptMilliseconds();
    Stopwatch watch;
    dlg.OnUpgrade();
    // The worker's last act, clearing the flag, posts nothing: a short timer looks at it.
    QTimer look;
    look.start(5);
    while (dlg.m_bUpgradeRunning.load() != 0) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    // The completion check, at once rather than at the poll timer's next tick.
    if (dlg.m_nTimerId != 0) dlg.OnTimer(kPollTimerId);
    QCoreApplication::processEvents();
    RunOutcome outcome{watch.Stop(), window->Cell(0, kColumnUpdateStatus),
                       computer.Machine().TotalSleptMilliseconds() - slept};
    ExpectNoBox(computer);
    return outcome;
}

ProcessResult UpgradeWithZarnUpgrade(const ComputerLayout& layout, const fs::path& output) {
    ProcessOptions options;
    options.standardOutput = output;
    return RunChecked(
        {KPZ_ZARN_UPGRADE, "--machine", layout.MachineFile().string(), "upgrade", "E:"}, options);
}

}  // namespace bench
