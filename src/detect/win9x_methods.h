// The identification methods of Windows 98 and Me. Each reports whether it identified the
// drive of the record, whose description is then a copy of the matching entry.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "kpz/portable_device.h"

namespace detect {

// Method 0: INQUIRY through the block-device driver's private request (4404h).
bool IdentifyByDriverInquiry(tagPORTDEVINFO& device);
// Method 1: INQUIRY through the SCSI pass-through of VWIN32 (440Dh).
bool IdentifyByPassThrough(tagPORTDEVINFO& device);
// Method 2: the drive map, built from the set-up API's disk drives (Windows 98 only) ...
bool IdentifyByDiskDriveScan(tagPORTDEVINFO& device);
// ... or from the devices the SCSI manager finds.
bool IdentifyByScsiManagerScan(tagPORTDEVINFO& device);

// A field of INQUIRY data as a terminated text: at most `width` bytes, ending at a zero.
std::string InquiryText(const std::uint8_t* field, std::size_t width);

}  // namespace detect
