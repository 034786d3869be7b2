#include "app/qt/qt_window_system.h"

#include "app/qt/main_window_widgets.h"
#include "app/qt/qt_user_interface.h"

namespace qtui {

std::unique_ptr<MainWindowView> QtWindowSystem::CreateMainWindow(CUpgradeUtilityDlg& dlg) {
    return std::make_unique<QtMainWindow>(dlg);
}

int RunDesktopProgram(const std::string& commandLine) {
    QtWindowSystem windows;
    QtUserInterface ui(windows.UserInterfaceThread());
    platform::ScopedUserInterface uiGuard(ui);
    g_theApp.SetCommandLine(commandLine);
    g_theApp.InitInstance(windows);
    return 0;
}

}  // namespace qtui
