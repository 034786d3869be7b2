#include "cli/help.h"

namespace cli {
namespace {

struct CommandText {
    const char* name;
    const char* synopsis;
    const char* summary;
    const char* details;
};

constexpr CommandText kCommands[] = {
    {"detect", "detect [--trace]", "list the players the detection library finds",
     "Runs the detection library's enumeration with the installation's database\n"
     "(KPZSupportedPortableDevices.bin beside the program) and prints one player a line:\n"
     "drive, vendor, product, name, serial number, state and whether it has system files.\n"
     "With --json: an array of the device records, keyed by their member names.\n"
     "--trace adds what the detection did: the texts it wrote to standard output and to\n"
     "the debugger, and the Windows 98/Me services it called (the VWIN32 requests, the\n"
     "set-up API, the registry, the SCSI manager), each starting with the call's name.\n"
     "With --json: {\"players\": [...], \"diagnostics\": [{\"channel\": \"stdout\" or\n"
     "\"debugger\", \"text\": ...}], \"services\": [...]}. Only a simulated machine\n"
     "(--machine) records them.\n"},
    {"list", "list [--yes|--no]", "a Refresh of the main window: the device list's rows",
     "Runs a Refresh exactly as the main window does it and prints its rows under the\n"
     "columns Drive, Device, Current Version, Upgrade Version and Update Status.\n"
     "A question the Refresh asks (a damaged installation) is answered No, or Yes with\n"
     "--yes. With --json: an array of {drive, device, currentVersion, upgradeVersion,\n"
     "updateStatus}. Exit status 1 when the Refresh was stopped.\n"},
    {"upgrade", "upgrade DRIVE [--yes|--no]", "upgrade the player on DRIVE (E or E:)",
     "Runs a Refresh, selects the row of DRIVE, presses \"Upgrade Device...\", draws the\n"
     "progress window as a terminal line until the completion check has run, and prints\n"
     "the row's Update Status. Exit status 0 when it reads \"Upgrade completed\n"
     "successfully ...\", 1 otherwise. With --json: {\"updateStatus\": \"...\"}.\n"},
    {"update-system-files", "update-system-files DRIVE --source DIR [--messages] [--once]",
     "the library's system-file update of the player on DRIVE",
     "Calls KPZPortableDeviceDetectionUpdateSystemFiles on the player detected on DRIVE\n"
     "with the source root DIR (a path on the computer, such as \"C:\\Program Files\\Zarn\"),\n"
     "showing message boxes with --messages, the missing-or-newer box at most once with\n"
     "--once. The notifications are drawn like an upgrade's. Exit status 0 for result 1.\n"
     "With --json: {\"result\": N}.\n"},
    {"playlists", "playlists DRIVE", "create the model's playlist folders on DRIVE",
     "Calls KPZPortableDeviceDetectionVerifyPlaylistFolders on the player detected on\n"
     "DRIVE. Exit status 0 for result 1. With --json: {\"result\": N}.\n"},
    {"db", "db dump FILE | db build DESCRIPTION.json -o FILE [--format-version V]",
     "read or write a supported-devices database file",
     "db dump FILE prints the entries of a database file (a file of this computer, not\n"
     "of the simulated one); with --json an array of entries keyed by member names, as\n"
     "detect gives them. Exit status 2 when the file doesn't load.\n"
     "db build DESCRIPTION.json -o FILE writes a database from a JSON array of such\n"
     "entries, in format version 1.00, 2.02, 3.01, 4.00, 5.00, 6.00, 7.01, 8.00 or 9.00\n"
     "(--format-version, default 9.00), whole or not at all. Exit status 2, with the\n"
     "key at fault, for what the file would not keep: systemFolder or systemFiles with\n"
     "hasSystemFiles 0, a disabled playlist folder's name, a text longer than the reader\n"
     "keeps.\n"},
    {"eject", "eject DRIVE", "release the player on DRIVE so it can be unplugged",
#ifdef _WIN32
     "Safely Remove, as the main window's row menu does it: locks and dismounts the\n"
     "volume on DRIVE, then ejects its medium. The system's error (busy, access denied)\n"
     "is printed as it comes.\n"
#else
     "Safely Remove, as the main window's row menu does it: unmounts the file system on\n"
     "DRIVE through udisks2 on the system bus, then powers the disk off when it can be\n"
     "powered off. The system's error (busy, not authorised) is printed as it comes.\n"
#endif
     "Only for this computer's own removable volumes. Exit status 0 when released, 1\n"
     "otherwise. With --json: {\"released\": true|false, \"message\": \"...\"}.\n"},
    {"gui", "gui", "open the main window of the desktop program",
     "Opens the desktop program's main window on this command line's computer: the\n"
     "simulated one with --machine, so the demo's players can be upgraded with the mouse.\n"
     "Needs a display. Exit status 0 when the window was closed.\n"},
};

const CommandText* Find(const std::string& command) {
    for (const CommandText& text : kCommands) {
        if (command == text.name) return &text;
    }
    return nullptr;
}

}  // namespace

std::string ProgramHelp() {
    std::string text =
        "Usage: zarn-upgrade [--machine FILE | --install-folder DIR] [--json] [--events] COMMAND\n"
        "                    [ARGUMENTS]\n"
        "\n"
        "The Zarn Upgrade Utility on the command line: detects Zarn players, lists them as the\n"
        "main window does, upgrades one, and reads and writes supported-devices databases.\n"
        "\n"
        "Commands:\n";
    for (const CommandText& command : kCommands) {
        std::string name = command.name;
        name.resize(22, ' ');
        text += "  " + name + command.summary + "\n";
    }
    text +=
        "\n"
        "Options:\n"
        "  --machine FILE        run on the simulated computer described by a JSON machine file\n"
        "  --install-folder DIR  the installation folder (the database and the model folders)\n"
        "                        on this computer; by default the folder of this program\n"
        "                        when KPZPortableDeviceSystemFileUpdater lies beside it\n"
        "  --json                print the command's result as JSON\n"
        "  --events              print JSON lines: each status notification as the progress\n"
        "                        window receives it, each message box, then the result\n"
        "  -h, --help            this text; COMMAND --help describes one command\n"
        "\n"
        "Message boxes are printed as \"[Caption] text\".\n"
        "Exit status: 0 done, 1 the outcome is a failure, 2 bad usage or bad input.\n";
    return text;
}

std::string CommandHelp(const std::string& command) {
    const CommandText* text = Find(command);
    if (text == nullptr) return {};
    return std::string("Usage: zarn-upgrade [--machine FILE] [--json] [--events] ") +
           text->synopsis + "\n\n" + text->details;
}

}  // namespace cli
