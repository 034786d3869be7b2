// The JSON machine file: a simulated computer described for the command line and the demo.
// Folder paths in the file are relative to the file.
#pragma once

#include <memory>
#include <string>

#include "platform/sim/machine.h"

namespace sim {

// The machine a file describes, or null with `error` naming the file and the key at fault.
std::unique_ptr<Machine> LoadMachineFile(const std::string& path, std::string& error);

}  // namespace sim
