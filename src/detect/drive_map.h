// The Windows 98/Me drive map: drive letters the SCSI device registry assigns to supported
// players, built lazily within each enumeration by the disk-drive scan or the SCSI-manager
// scan. Process-wide and unlocked: only the enumeration uses it, one at a time.
#pragma once

#include <array>

#include "kpz/portable_device.h"
#include "platform/aspi32.h"
#include "platform/win32_types.h"

namespace detect {

constexpr int kDriveMapCapacity = 26;

struct Win9xDriveMap {
    bool diskDriveScanPending = true;
    bool scsiManagerScanPending = true;
    int count = 0;
    std::array<tagPORTDEVINFO, kDriveMapCapacity> entries;
    // The SCSI manager module and its entry points, kept once loaded.
    win32::HMODULE scsiManager = nullptr;
    aspi::GetSupportInfoFunction getSupportInfo = nullptr;
    aspi::SendCommandFunction sendCommand = nullptr;
};

extern Win9xDriveMap g_driveMap;

// Appends an entry; a registration beyond the last entry is dropped with a note on the
// debugger output. False when dropped.
bool AddDriveMapEntry(char driveLetter, const tagPORTDEVDESC& entry);

// The first entry with the record's letter (upper case), if the drive root is accessible,
// becomes the record's description: true. Otherwise false, the record unchanged.
bool LookUpDriveMap(tagPORTDEVINFO& device);

}  // namespace detect
