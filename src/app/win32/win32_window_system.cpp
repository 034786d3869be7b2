// The project's Win32 names before <windows.h> (dialog_template.h).
#include "app/main_window.h"
#include "app/win32/win32_user_interface.h"

#include "app/win32/main_window_dialog.h"
#include "app/win32/win32_window_system.h"
#include "app/win32/window_layouts.h"

#include <commctrl.h>

namespace win32ui {

std::unique_ptr<MainWindowView> Win32WindowSystem::CreateMainWindow(CUpgradeUtilityDlg& dlg) {
    auto view = std::make_unique<MainWindowDialog>(dlg);
    if (view->Handle() == nullptr) return nullptr;
    opened_ = true;
    return view;
}

bool PrepareWindowClasses() {
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
    const bool common = InitCommonControlsEx(&classes) != FALSE;
    return LoadLibraryA(kRichTextLibrary) != nullptr && common;
}

// The program's name ends at its closing quote, or at the first blank when unquoted.
std::string CommandLineAfterProgram(const char* commandLine) {
    const char* p = commandLine;
    if (*p == '"') {
        ++p;
        while (*p != '\0' && *p != '"') ++p;
        if (*p == '"') ++p;
    } else {
        while (*p != '\0' && *p != ' ' && *p != '\t') ++p;
    }
    while (*p == ' ' || *p == '\t') ++p;
    return p;
}

int RunDesktopProgram(const std::string& commandLine) {
    Win32WindowSystem windows;
    Win32UserInterface ui;
    platform::ScopedUserInterface uiGuard(ui);
    g_theApp.SetCommandLine(commandLine);
    g_theApp.InitInstance(windows);
    return windows.MainWindowOpened() ? 0 : 1;
}

}  // namespace win32ui
