// gui on Windows: the desktop program's windows are not part of this build.
#include <cstdio>

#include "cli/session.h"

namespace cli {

int RunGui(Session&, ArgumentList& arguments) {
    arguments.Finish();
    std::fputs(
        "zarn-upgrade: gui: the windows are not part of this build; every other command is "
        "(zarn-upgrade --help)\n",
        stderr);
    return kExitFailed;
}

}  // namespace cli
