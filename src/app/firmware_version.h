// Reading the firmware version of a player model's firmware file, on the player or in the
// installation: the image's header for "QDAV3180.mi4", the version tag for "kvq.exe".
#pragma once

#include <string>

enum class FirmwareReader {
    None,     // the file is only opened
    Image,    // ReadFirmwareVersion
    Program,  // ReadVersionTag
};

enum class VersionRead {
    NotOpened,  // the file couldn't be opened
    NotRead,    // opened; no reader was called, or it found no version
    Read,       // the version was stored
};

// Opens the file for reading, reads its version with `reader` into `version` (left as it was
// unless Read) and closes it.
VersionRead ReadFirmwareFileVersion(const std::string& path, FirmwareReader reader,
                                    char (&version)[9]);
