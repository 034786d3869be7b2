// The main window run on the terminal: its logic with widgets held in memory, recorded as the
// application's main window for the worker to reach.
#pragma once

#include "app/main_window.h"
#include "cli/session.h"
#include "cli/terminal_views.h"

namespace cli {

class MainWindowSession {
  public:
    explicit MainWindowSession(Session& session);
    ~MainWindowSession();
    MainWindowSession(const MainWindowSession&) = delete;
    MainWindowSession& operator=(const MainWindowSession&) = delete;

    // Initialises the window, which ends with a Refresh; that Refresh's result.
    int Open();
    // The window ended itself (the user chose to exit).
    bool Ended() const { return view_.ended; }
    // The row showing drive `letter`, or -1.
    int RowOfDrive(char letter) const;

    CUpgradeUtilityDlg& Dialog() { return dlg_; }
    TerminalMainWindowView& View() { return view_; }

  private:
    CUpgradeUtilityDlg dlg_;
    TerminalMainWindowView view_;
};

// The rows as the window shows them, under the five column headings.
void PrintRows(Output& output, const HeadlessMainWindowView& view);
Json RowsJson(const HeadlessMainWindowView& view);

}  // namespace cli
