// A realistic player and its installation for the fault sweeps: a firmware image whose old copy
// on the player is spelt in capitals, a read-only hidden firmware program, a new file, two
// folder entries (one last in the list), a wildcard tree two levels deep holding a data file
// named like a copy's temporary file, and a playlist folder. The installation's files are
// newer than the player's.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "database/description.h"

namespace faults {

using Tree = std::map<std::string, std::string>;  // relative host path -> content

// The model's database description (vendor "Velmora ", product "ZJ-20").
dbtool::Description PlayerModel();

// Lays the model's files below the installation folder on the host.
void WriteInstallation(const std::string& installationHost);
// Lays the player's old files below its drive folder on the host; the old firmware program
// gets its read-only and hidden attributes through the installed backend.
void WritePlayer(const std::string& driveHost, const std::string& driveLetter);

// Every file below a host folder with its content.
Tree ReadTree(const std::string& hostFolder);

struct DeviceCheck {
    bool allowLeftovers = true;    // temporary files of cut-off copies may lie there
    bool filesComplete = false;    // every file must be there, new, under its name
    bool foldersComplete = false;  // every folder must be there, hidden
    bool playlists = true;         // the playlist folder among them
    bool treeComplete = true;      // the wildcard tree's files among the files
};

// What is wrong with the player's drive, one text per fault; empty when all holds: every file
// is its old or its new complete content, no old file is lost, no file exists twice in other
// capitals; and where asked, every file and folder is there, new, with its name.
std::vector<std::string> CheckPlayer(const std::string& driveHost, const std::string& driveLetter,
                                     const DeviceCheck& check);

}  // namespace faults
