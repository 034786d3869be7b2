// What every command shares: the output, the user-interface thread and the message boxes.
#pragma once

#include "app/event_loop.h"
#include "cli/arguments.h"
#include "cli/output.h"
#include "cli/terminal_ui.h"

namespace sim {
class Machine;
}

namespace cli {

enum ExitStatus { kExitDone = 0, kExitFailed = 1, kExitBadInput = 2 };

struct Session {
    Output& output;
    EventLoop& loop;
    TerminalUserInterface& boxes;
    const sim::Machine* machine;  // the simulated machine of --machine; none on the host
};

// "E", "e:" or "E:" naming a drive of the computer; UsageError otherwise.
char ParseDrive(const std::string& text);

using Command = int (*)(Session& session, ArgumentList& arguments);

int RunDetect(Session& session, ArgumentList& arguments);
int RunList(Session& session, ArgumentList& arguments);
int RunUpgrade(Session& session, ArgumentList& arguments);
int RunUpdateSystemFiles(Session& session, ArgumentList& arguments);
int RunPlaylists(Session& session, ArgumentList& arguments);
int RunDatabase(Session& session, ArgumentList& arguments);
int RunGui(Session& session, ArgumentList& arguments);
int RunEject(Session& session, ArgumentList& arguments);

}  // namespace cli
