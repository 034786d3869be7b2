// zarn-upgrade: the command-line front end over the detection library and the upgrade engine.
#include <cstdio>
#include <memory>

#include "app/dispatched_ui.h"
#include "cli/help.h"
#include "cli/installation_folder.h"
#include "cli/session.h"
#include "platform/sim/machine_file.h"

namespace {

using namespace cli;

struct CommandEntry {
    const char* name;
    Command run;
};

constexpr CommandEntry kCommands[] = {
    {"detect", &RunDetect},
    {"list", &RunList},
    {"upgrade", &RunUpgrade},
    {"update-system-files", &RunUpdateSystemFiles},
    {"playlists", &RunPlaylists},
    {"db", &RunDatabase},
    {"gui", &RunGui},
    {"eject", &RunEject},
};

Command FindCommand(const std::string& name) {
    for (const CommandEntry& entry : kCommands) {
        if (name == entry.name) return entry.run;
    }
    return nullptr;
}

int BadUsage(const std::string& what) {
    std::fprintf(stderr, "zarn-upgrade: %s (see zarn-upgrade --help)\n", what.c_str());
    return kExitBadInput;
}

int Run(Invocation& invocation) {
    if (invocation.command.empty()) {
        if (invocation.options.help) {
            std::fputs(ProgramHelp().c_str(), stdout);
            return kExitDone;
        }
        return BadUsage("no command given");
    }
    const Command command = FindCommand(invocation.command);
    if (command == nullptr) return BadUsage("unknown command " + invocation.command);
    if (invocation.options.help) {
        std::fputs(CommandHelp(invocation.command).c_str(), stdout);
        return kExitDone;
    }

    std::unique_ptr<sim::Machine> machine;
    std::unique_ptr<platform::posix::HostSystem> host;
    std::unique_ptr<platform::ScopedSystem> installed;
    if (invocation.options.machineFile && invocation.options.installFolder) {
        return BadUsage("--install-folder is for this computer; a machine file names its program");
    }
    if (!invocation.options.machineFile) {
        std::string error;
        host = HostWithInstallation(invocation.options.installFolder, error);
        if (!host) return BadUsage(error);
        installed = std::make_unique<platform::ScopedSystem>(*host);
    } else {
        std::string error;
        machine = sim::LoadMachineFile(*invocation.options.machineFile, error);
        if (!machine) return BadUsage("machine file: " + error);
        installed = std::make_unique<platform::ScopedSystem>(*machine);
    }
    // A simulated machine's clock is virtual: its timers need not wait for the real one.
    EventLoop loop(machine ? EventLoop::Pace::WhenIdle : EventLoop::Pace::RealTime);
    Output output(invocation.options.json, invocation.options.events);
    TerminalUserInterface boxes(output);
    DispatchedUserInterface ui(boxes, loop);
    platform::ScopedUserInterface uiInstalled(ui);
    Session session{output, loop, boxes, machine.get()};
    return command(session, invocation.arguments);
}

}  // namespace

int main(int argc, char** argv) {
    try {
        Invocation invocation = ParseCommandLine(argc, argv);
        return Run(invocation);
    } catch (const UsageError& error) {
        return BadUsage(error.what());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zarn-upgrade: %s\n", error.what());
        return kExitFailed;
    }
}
