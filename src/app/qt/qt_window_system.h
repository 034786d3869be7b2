// What start-up needs of Qt: the user-interface thread and the main window's widgets.
#pragma once

#include "app/application.h"
#include "app/qt/qt_ui_thread.h"

namespace qtui {

class QtWindowSystem : public WindowSystem {
  public:
    UiThread& UserInterfaceThread() override { return uiThread_; }
    std::unique_ptr<MainWindowView> CreateMainWindow(CUpgradeUtilityDlg& dlg) override;

  private:
    QtUiThread uiThread_;
};

// Runs the desktop program's start-up in a QApplication that already exists: the Qt user
// interface seam installed, the main window shown modally until it closes.
int RunDesktopProgram(const std::string& commandLine);

}  // namespace qtui
