// The Windows 98/Me keys of a machine file: "blockDriver" of a drive, and "setupDiskDrives",
// "registry" and "aspi" at the top.
#pragma once

#include <optional>
#include <string>

#include "platform/sim/machine_file_fields.h"

namespace sim {

BlockDriver ReadBlockDriver(const json& object, const std::string& key);
DiskDriveList ReadSetupDiskDrives(const json& object);
// Keys by path below HKEY_LOCAL_MACHINE; in a key, a text is a value and an object a subkey.
void ReadRegistry(const json& object, RegistryKey& localMachine);
// None when the library is not there ("present": false).
std::optional<ScsiManager> ReadScsiManager(const json& object);

}  // namespace sim
