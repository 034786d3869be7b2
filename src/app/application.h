// The application object: the command-line text, the main window once start-up has made it,
// and the start-up that runs the main window as a modal dialog.
#pragma once

#include <memory>
#include <string>

#include "app/ui_thread.h"
#include "app/window_views.h"

class CUpgradeUtilityDlg;

// What start-up needs of a front end's window system.
class WindowSystem {
  public:
    virtual ~WindowSystem() = default;
    virtual UiThread& UserInterfaceThread() = 0;
    virtual std::unique_ptr<MainWindowView> CreateMainWindow(CUpgradeUtilityDlg& dlg) = 0;
};

class CUpgradeUtilityApp {
  public:
    void SetCommandLine(std::string text) { m_strCommandLine = std::move(text); }
    const std::string& CommandLine() const { return m_strCommandLine; }

    // Other threads reach the main window only through this reference.
    CUpgradeUtilityDlg* MainWindow() const { return m_pMainWnd; }
    void SetMainWindow(CUpgradeUtilityDlg* window) { m_pMainWnd = window; }

    // Start-up: makes the main window (titled by a non-empty command line), runs it as a
    // modal dialog and destroys it. False: no message loop is to be run after it.
    bool InitInstance(WindowSystem& windows);

  private:
    std::string m_strCommandLine;
    CUpgradeUtilityDlg* m_pMainWnd = nullptr;
};

extern CUpgradeUtilityApp g_theApp;

// The arguments after the program name as one text, separated by single blanks.
std::string CommandLineText(int argc, const char* const* argv);
