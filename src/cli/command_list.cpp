// list and upgrade: the main window's Refresh, and its upgrade of one row, on the terminal.
#include "cli/main_window_session.h"

namespace cli {
namespace {

void ReadAnswer(Session& session, ArgumentList& arguments) {
    const bool yes = arguments.Flag("--yes");
    const bool no = arguments.Flag("--no");
    if (yes && no) throw UsageError("--yes and --no exclude each other");
    session.boxes.AnswerYes(yes);
}

bool Succeeded(const std::string& status) {
    return status.rfind("Upgrade completed successfully", 0) == 0;
}

}  // namespace

int RunList(Session& session, ArgumentList& arguments) {
    ReadAnswer(session, arguments);
    arguments.Finish();
    MainWindowSession window(session);
    const int rows = window.Open();
    if (session.output.Text()) PrintRows(session.output, window.View());
    session.output.Result(RowsJson(window.View()));
    return rows < 0 || window.Ended() ? kExitFailed : kExitDone;
}

int RunUpgrade(Session& session, ArgumentList& arguments) {
    const std::string drive = arguments.Positional("DRIVE");
    ReadAnswer(session, arguments);
    arguments.Finish();
    const char letter = ParseDrive(drive);

    MainWindowSession window(session);
    if (window.Open() < 0 || window.Ended()) {
        session.output.Note("The Refresh did not complete; nothing was upgraded.");
        session.output.Result(Json{{"updateStatus", nullptr}});
        return kExitFailed;
    }
    const int row = window.RowOfDrive(letter);
    if (row < 0) throw UsageError(std::string("no player detected on ") + letter + ":");

    CUpgradeUtilityDlg& dlg = window.Dialog();
    window.View().Select({row});
    dlg.OnUpgrade();
    session.loop.RunUntil([&] { return dlg.m_bUpgradeRunning.load() == 0 && dlg.m_nTimerId == 0; });

    const std::string status = window.View().Cell(row, kColumnUpdateStatus);
    if (session.output.Text()) session.output.Line(std::string{letter, ':'} + "  " + status);
    session.output.Result(Json{{"updateStatus", status}});
    return Succeeded(status) ? kExitDone : kExitFailed;
}

}  // namespace cli
