// The Windows 98 and Me identification routes and their device queries.
#pragma once

#include <cstdint>

#include "kpz/portable_device.h"

namespace detect {

// Empties the drive map and makes both of its lazy scans pending again.
void ResetWin9xDriveMap();

int IdentifyWin9xDevice(int route, tagPORTDEVINFO& device);
int ReadWin9xSerialNumber(int route, char driveLetter, std::uint8_t* serial);
int ReadWin9xDeviceState(int route, char driveLetter, std::uint8_t* state);

}  // namespace detect
