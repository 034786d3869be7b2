// The rule that ties a drive to a database entry, shared by every identification route.
#pragma once

#include <string_view>

#include "kpz/portable_device.h"

namespace detect {

// Whether an entry's vendor and product equal the device's strings: whole, blanks counted,
// letters of the system code page without regard to case.
bool MatchesEntry(const tagPORTDEVDESC& entry, std::string_view vendor, std::string_view product);

// The first entry that matches the device's strings and whose drive root is accessible is
// copied into the record's description: 1. Otherwise 0 and the record is unchanged.
int MatchSupportedDevice(tagPORTDEVINFO& device, const char* vendor, const char* product);

// Whether the drive root "X:\" can be read and its free space queried.
bool IsDriveRootAccessible(const char* root);

}  // namespace detect
