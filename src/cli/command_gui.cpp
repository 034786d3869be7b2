// gui: the desktop program's main window on the command line's computer (the simulated one
// with --machine), so the demo can be used with the mouse.
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "app/qt/qt_window_system.h"
#include "cli/session.h"

namespace cli {
namespace {

bool HasDisplay() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return true;
    }
    return false;
}

}  // namespace

int RunGui(Session&, ArgumentList& arguments) {
    arguments.Finish();
    if (!HasDisplay()) {
        std::fputs(
            "zarn-upgrade: gui needs a display (neither DISPLAY nor WAYLAND_DISPLAY is set)\n",
            stderr);
        return kExitBadInput;
    }
    int argc = 1;
    char name[] = "zarn-upgrade";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    // The window's title stays the utility's own: this command line is not the program's.
    return qtui::RunDesktopProgram(std::string()) == 0 ? kExitDone : kExitFailed;
}

}  // namespace cli
