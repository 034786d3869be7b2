// The two device queries on the NT family: INQUIRY for a vital product data page through
// the SCSI pass-through request.
#pragma once

#include <cstdint>

namespace detect {

int ReadNtSerialNumber(char driveLetter, std::uint8_t* serial);
int ReadNtDeviceState(char driveLetter, std::uint8_t* state);

}  // namespace detect
