// Registration from the SCSI device registry: the instances of a device id below
// "ENUM\SCSI\<device id>" that carry a drive letter become drive-map entries.
#pragma once

#include <string>
#include <string_view>

#include "kpz/portable_device.h"

namespace detect {

// The vendor directly followed by the product and, when given, the revision character;
// every blank replaced by '_'; at most 255 bytes.
std::string MakeDeviceId(std::string_view vendor, std::string_view product, char revision = 0);

// Registers the device id's instances with every database entry whose vendor and product
// equal the device's (no accessibility test).
void RegisterMatchingEntries(std::string_view vendor, std::string_view product,
                             const std::string& deviceId);

// Registers each instance of the device id whose "Int13", "PModeInt13" and
// "CurrentDriveLetterAssignment" can be read, with that entry.
void RegisterDeviceId(const std::string& deviceId, const tagPORTDEVDESC& entry);

}  // namespace detect
