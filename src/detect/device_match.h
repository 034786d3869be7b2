// The rule that ties a drive to a database entry, shared by every identification route.
#pragma once

#include "kpz/portable_device.h"

namespace detect {

// The first entry whose vendor and product equal the device's strings (whole, ASCII case
// folded, blanks counted) and whose drive root is accessible is copied into the record's
// description: 1. Otherwise 0 and the record is unchanged.
int MatchSupportedDevice(tagPORTDEVINFO& device, const char* vendor, const char* product);

// Whether the drive root "X:\" can be read and its free space queried.
bool IsDriveRootAccessible(const char* root);

}  // namespace detect
