// The Windows 98 and Me identification routes and their device queries.
#pragma once

#include <cstdint>

#include "kpz/portable_device.h"

namespace detect {

// Empties the drive map and makes both of its lazy scans pending again.
void ResetWin9xDriveMap();

// Frees the SCSI manager module and the drive map's entries, as the end of the process
// would: for a caller that replaces the system the module was loaded from (tests).
void ReleaseWin9xServices();

// Route 1 (Windows 98) tries methods 0, 1 and 2 (disk-drive scan, then SCSI-manager scan);
// route 2 (Windows Me) the same without the disk-drive scan. A method runs only when some
// loaded entry names it.
int IdentifyWin9xDevice(int route, tagPORTDEVINFO& device);
int ReadWin9xSerialNumber(int route, char driveLetter, std::uint8_t* serial);
int ReadWin9xDeviceState(int route, char driveLetter, std::uint8_t* state);

}  // namespace detect
