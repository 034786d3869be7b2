// The players the detection library finds with the installation's database, for the commands
// that work on one player without the main window.
#pragma once

#include <optional>
#include <vector>

#include "kpz/portable_device.h"

namespace cli {

// The path of the database beside the program (its bare name without an installation).
std::string InstallationDatabasePath();

// Every player the three-argument enumeration reports, in drive order.
std::vector<tagPORTDEVINFO> DetectPlayers();

// The player on `letter`; UsageError when none was detected there.
tagPORTDEVINFO DetectedPlayerOn(char letter);

}  // namespace cli
