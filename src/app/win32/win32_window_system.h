// What start-up needs of Windows: the user-interface thread and the main window's dialog.
#pragma once

#include <string>

#include "app/application.h"

#include "app/win32/win32_ui_thread.h"

namespace win32ui {

class Win32WindowSystem : public WindowSystem {
  public:
    UiThread& UserInterfaceThread() override { return uiThread_; }
    std::unique_ptr<MainWindowView> CreateMainWindow(CUpgradeUtilityDlg& dlg) override;
    bool MainWindowOpened() const { return opened_; }

  private:
    Win32UiThread uiThread_;
    bool opened_ = false;
};

// The common controls and the rich-text library, before any window is made; false when
// either is missing.
bool PrepareWindowClasses();

// The command line after the program's name, as one text (leading blanks dropped).
std::string CommandLineAfterProgram(const char* commandLine);

// The desktop program's start-up: the real message boxes installed, the main window run
// modally until it closes. 0 once it has closed; 1 when it could not be opened (no display).
int RunDesktopProgram(const std::string& commandLine);

}  // namespace win32ui
