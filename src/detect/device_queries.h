// Identification and the two device queries, dispatched on the platform route. The queries
// return 0 on success and a small positive code on failure.
#pragma once

#include <cstdint>

#include "kpz/portable_device.h"

namespace detect {

constexpr int kQueryOk = 0;
constexpr int kQueryRouteUnsupported = 1;
constexpr int kQueryFailed = 2;            // no destination, device not opened or request failed
constexpr int kQueryStateUnknown = 5;      // page C0h answer in neither form
constexpr int kQueryDeviceNotOpened = -1;  // Windows 98/Me: the VWIN32 device did not open

// 1 when the drive `device.driveLetter` is a supported player (its description now a copy
// of the entry), else 0. Routes without identification give 0.
int IdentifyDevice(int route, tagPORTDEVINFO& device);

// The eight bytes of the unit serial number (page 80h).
int ReadDeviceSerialNumber(char driveLetter, std::uint8_t* serial);

// The state byte by the page C0h rule.
int ReadDeviceState(char driveLetter, std::uint8_t* state);

}  // namespace detect
