#include "app/application.h"

#include "app/main_window.h"

CUpgradeUtilityApp g_theApp;

bool CUpgradeUtilityApp::InitInstance(WindowSystem& windows) {
    auto dlg = std::make_unique<CUpgradeUtilityDlg>(windows.UserInterfaceThread());
    if (!m_strCommandLine.empty()) dlg->m_strTitle = m_strCommandLine;
    m_pMainWnd = dlg.get();
    if (auto view = windows.CreateMainWindow(*dlg)) {
        dlg->OnInitDialog(*view);
        view->RunModalLoop();  // its result is not used
        dlg->OnDestroy();
    }
    m_pMainWnd = nullptr;
    dlg.reset();
    return false;
}

std::string CommandLineText(int argc, const char* const* argv) {
    std::string text;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) text += ' ';
        text += argv[i];
    }
    return text;
}
