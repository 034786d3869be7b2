// Takes pictures of the native windows on a simulated computer: the main window, the About
// box, the progress window during an upgrade and after it, and the main window afterwards,
// each with its title bar, as 24-bit BMP files (make screenshots-windows turns them into PNG).
//
//   kpz-screenshots --machine FILE --out FOLDER [--drive E]
#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "app/application.h"
#include "app/main_window.h"
#include "platform/scripted_ui.h"
#include "platform/sim/machine_file.h"

#include "app/win32/win32_window_system.h"
#include "windriver/step_script.h"
#include "windriver/window_picture.h"
#include "windriver/window_reading.h"

#include <commctrl.h>

namespace {

const char* const kUsage =
    "usage: kpz-screenshots --machine FILE --out FOLDER [--drive LETTER]\n"
    "Writes main-window.bmp, about.bmp, progress-running.bmp, progress-done.bmp and\n"
    "main-window-after.bmp of the native windows run on the simulated computer FILE,\n"
    "upgrading the player on LETTER (default E).\n";

struct Options {
    std::string machine;
    std::string out;
    char drive = 'E';
};

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string arg = argv[i];
        if (arg == "--machine") {
            options.machine = argv[i + 1];
        } else if (arg == "--out") {
            options.out = argv[i + 1];
        } else if (arg == "--drive" && argv[i + 1][0] != '\0') {
            options.drive =
                static_cast<char>(std::toupper(static_cast<unsigned char>(argv[i + 1][0])));
        } else {
            return false;
        }
    }
    return argc % 2 == 1 && !options.machine.empty() && !options.out.empty();
}

// The pictures and the way to them, as a user's steps through the windows.
class PictureRun {
  public:
    explicit PictureRun(const Options& options) : options_(options) {}

    bool Run() {
        CreateDirectoryA(options_.out.c_str(), nullptr);
        PlanSteps();
        if (!script_.Start(20, 60000, [] { PostQuitMessage(1); })) {
            std::fputs("kpz-screenshots: no timer for the steps\n", stderr);
            return false;
        }
        win32ui::Win32WindowSystem windows;
        g_theApp.InitInstance(windows);
        if (!windows.MainWindowOpened()) std::fputs("kpz-screenshots: no main window\n", stderr);
        const std::string unreached = script_.Unreached();
        if (!unreached.empty()) std::fprintf(stderr, "kpz-screenshots: no %s\n", unreached.c_str());
        return ok_ && unreached.empty();
    }

  private:
    HWND List() const { return GetDlgItem(main_, IDC_DEVICE_LIST); }

    int RowOfDrive() const {
        for (int row = 0; row < windriver::RowCount(List()); ++row)
            if (windriver::Cell(List(), row, kColumnDrive) == std::string{options_.drive, ':'})
                return row;
        return -1;
    }

    void Save(HWND window, const char* name) {
        const std::string path = options_.out + "\\" + name;
        std::string error;
        UpdateWindow(window);
        if (windriver::SaveWindowPicture(window, path, error)) {
            std::printf("%s\n", path.c_str());
        } else {
            std::fprintf(stderr, "kpz-screenshots: %s: %s\n", name, error.c_str());
            ok_ = false;
        }
    }

    // A button the step needs; the picture run fails when it cannot be pressed.
    void Press(HWND dialog, int id) {
        if (windriver::PressButton(dialog, id)) return;
        std::fprintf(stderr, "kpz-screenshots: button %d cannot be pressed\n", id);
        ok_ = false;
        PostQuitMessage(1);
    }

    bool RunEnded() const { return windriver::ControlEnabled(main_, IDC_UPGRADE); }

    void PlanSteps();

    const Options& options_;
    windriver::StepScript script_;
    HWND main_ = nullptr;
    HWND about_ = nullptr;
    HWND progress_ = nullptr;
    bool ok_ = true;
};

void PictureRun::PlanSteps() {
    script_.Then(
        "main window", [&] { return (main_ = windriver::FindShownWindow("Zarn Upgrade Utility")); },
        [&] {
            Save(main_, "main-window.bmp");
            PostMessageA(main_, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);  // a modal box: steps go on in it
        });
    script_.Then(
        "About box",
        [&] { return (about_ = windriver::FindShownWindow("About Zarn Upgrade Utility")); },
        [&] {
            Save(about_, "about.bmp");
            Press(about_, IDOK);
        });
    script_.Then(
        "player on the drive given", [&] { return RowOfDrive() >= 0; },
        [&] {
            windriver::SelectRow(List(), RowOfDrive());
            Press(main_, IDC_UPGRADE);
            progress_ = windriver::FindShownWindow("Zarn Jukebox - Update System Files");
        });
    script_.Then(
        "progress under way",
        [&] {
            HWND bar = GetDlgItem(progress_, IDC_PROGRESS_BAR);
            return SendMessageA(bar, PBM_GETPOS, 0, 0) > 0 || RunEnded();
        },
        [&] { Save(progress_, "progress-running.bmp"); });
    script_.Then(
        "end of the run", [&] { return RunEnded(); },
        [&] {
            Save(progress_, "progress-done.bmp");
            Press(progress_, IDC_PROGRESS_BUTTON);
        });
    script_.Then(
        "progress window closed", [&] { return !IsWindow(progress_); },
        [&] {
            Save(main_, "main-window-after.bmp");
            Press(main_, IDC_EXIT);
        });
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (!ParseOptions(argc, argv, options)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    std::string error;
    const auto machine = sim::LoadMachineFile(options.machine, error);
    if (machine == nullptr) {
        std::fprintf(stderr, "kpz-screenshots: %s\n", error.c_str());
        return 2;
    }
    if (!win32ui::PrepareWindowClasses()) {
        std::fputs("kpz-screenshots: the common controls or the rich-text library are missing\n",
                   stderr);
        return 1;
    }
    platform::ScopedSystem systemGuard(*machine);
    platform::ScriptedUserInterface ui;  // boxes are answered, never shown, in a picture run
    platform::ScopedUserInterface uiGuard(ui);
    return PictureRun(options).Run() ? 0 : 1;
}
