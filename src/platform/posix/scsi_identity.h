// What the disk behind a volume says of itself: its standard INQUIRY identification and its
// vital product data pages, from sysfs where the kernel keeps them, else from the disk.
#pragma once

#include <optional>

#include "platform/posix/removable_volumes.h"
#include "platform/posix/scsi_commands.h"
#include "platform/volume_request_blocks.h"

namespace platform::posix {

// The vendor, product and revision of standard INQUIRY data: the sysfs `device/inquiry`
// attribute, else an INQUIRY sent to the disk, else `device/vendor`, `device/model` and
// `device/rev` padded back to 8, 16 and 4 characters with blanks. None when no source
// answers; `openError` then holds the errno of opening the disk's node, if that failed.
std::optional<DeviceIdentity> ReadDeviceIdentity(const RemovableVolume& volume, ScsiCommands& scsi,
                                                 int& openError);

// An INQUIRY as the pass-through asks it: page 80h from sysfs's `device/vpd_pg80` where the
// kernel fetched it, every other command sent to the disk as it is.
ScsiResult SendInquiry(const RemovableVolume& volume, ScsiCommands& scsi,
                       const ScsiCommand& command);

// The bytes of a binary sysfs attribute, at most `limit`; empty when unreadable.
std::string ReadBinaryAttribute(const std::string& path, std::size_t limit);

}  // namespace platform::posix
