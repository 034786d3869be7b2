// zarn-upgrade gui on Windows: the desktop program's own main window, on the computer of the
// machine file, ended by its Exit button with status 0.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/window_ids.h"
#include "support/temp_dir.h"

#include "windriver/window_reading.h"

#include <commctrl.h>

namespace {

struct Child {
    PROCESS_INFORMATION process{};
    bool started = false;
    ~Child() {
        if (!started) return;
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(process.hProcess, 99);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
};

// A host path as Wine names it: on its drive Z:, whatever the current drive is.
std::string WindowsPath(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path.starts_with('\\') ? "Z:" + path : path;
}

bool Start(Child& child, const std::string& program, const std::string& arguments,
           DWORD flags = 0) {
    std::string commandLine = "\"" + WindowsPath(program) + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    child.started =
        CreateProcessA(WindowsPath(program).c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                       flags, nullptr, nullptr, &startup, &child.process) != FALSE;
    return child.started;
}

DWORD ExitStatus(const Child& child) {
    if (WaitForSingleObject(child.process.hProcess, 60000) != WAIT_OBJECT_0) return 999;
    DWORD status = 998;
    GetExitCodeProcess(child.process.hProcess, &status);
    return status;
}

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchMainWindow(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window) ||
        windriver::WindowText(window) != "Zarn Upgrade Utility")
        return TRUE;
    search->found = window;
    return FALSE;
}

// The child's main window: its shown top-level dialog with the utility's title.
HWND MainWindowOf(const PROCESS_INFORMATION& child) {
    Search search{child.dwProcessId, nullptr};
    EnumWindows(MatchMainWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The main window once its list shows `rows` rows. Wine tells no other process's window
// events, so the wait looks whenever the child has not ended within 50 ms, for a minute at most.
HWND WaitForMainWindow(const Child& child, int rows) {
    ResumeThread(child.process.hThread);
    for (int tries = 0; tries < 1200; ++tries) {
        HWND main = MainWindowOf(child.process);
        if (main != nullptr && windriver::RowCount(GetDlgItem(main, IDC_DEVICE_LIST)) == rows)
            return main;
        if (WaitForSingleObject(child.process.hProcess, 50) == WAIT_OBJECT_0) break;
    }
    return nullptr;
}

TEST(GuiCommand, OpensTheMainWindowOnTheMachineFilesComputerAndExitEndsIt) {
    test::TempDir temp;
    const std::string demo = temp.PathOf("demo");
    Child maker;
    ASSERT_TRUE(Start(maker, KPZ_DEMO_PATH,
                      "\"" + WindowsPath(KPZ_DEMO_SOURCE) + "\" \"" + WindowsPath(demo) + "\""));
    ASSERT_EQ(ExitStatus(maker), 0u);

    Child gui;
    ASSERT_TRUE(Start(gui, ZARN_UPGRADE_PATH,
                      "--machine \"" + WindowsPath(demo + "/machine.json") + "\" gui",
                      CREATE_SUSPENDED));
    HWND main = WaitForMainWindow(gui, 2);  // the demo computer's two players
    ASSERT_NE(main, nullptr) << "ended with " << ExitStatus(gui);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(main, IDC_UPGRADE)));
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_EXIT, BN_CLICKED), 0);
    EXPECT_EQ(ExitStatus(gui), 0u);
}

}  // namespace
