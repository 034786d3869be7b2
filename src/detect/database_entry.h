// One entry body of the supported-devices database, read field by field for its version.
#pragma once

#include <cstdint>
#include <span>

#include "detect/database_format.h"
#include "kpz/portable_device.h"

namespace detect {

// Fills `entry` (a freshly made description) from the body. False when a stored length or
// field runs past the end of the body; nothing outside the body is read.
bool ReadDatabaseEntry(std::span<const std::uint8_t> body, DatabaseVersion version,
                       tagPORTDEVDESC& entry);

}  // namespace detect
