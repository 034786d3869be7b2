// gui on Windows: the desktop program's native windows on the command line's computer (the
// simulated one with --machine), so the demo can be used with the mouse.
#include <cstdio>

#include "cli/session.h"

#include "app/win32/win32_window_system.h"

namespace cli {

int RunGui(Session&, ArgumentList& arguments) {
    arguments.Finish();
    if (!win32ui::PrepareWindowClasses()) {
        std::fputs(
            "zarn-upgrade: gui: the common controls or the rich-text library could not be "
            "loaded\n",
            stderr);
        return kExitFailed;
    }
    // The window's title stays the utility's own: this command line is not the program's.
    if (win32ui::RunDesktopProgram(std::string()) != 0) {
        std::fputs("zarn-upgrade: gui: the main window could not be opened (is there a display?)\n",
                   stderr);
        return kExitFailed;
    }
    return kExitDone;
}

}  // namespace cli
