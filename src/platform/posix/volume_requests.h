// The NT-family control requests on a volume "\\.\X:", answered from the host's own means:
// the storage property query from the disk's INQUIRY data, the SCSI pass-through through
// SG_IO (page 80h from sysfs where the kernel fetched it).
#pragma once

#include "platform/posix/removable_volumes.h"
#include "platform/posix/scsi_commands.h"
#include "platform/win32_types.h"

namespace platform::posix {

// One request on the volume; false with the last error set when it fails. `openError` is
// the errno of opening the disk's node when that was needed and failed, else 0.
bool AnswerVolumeRequest(const RemovableVolume& volume, ScsiCommands& scsi, win32::DWORD code,
                         void* in, win32::DWORD inSize, void* out, win32::DWORD outSize,
                         win32::DWORD* returned, int& openError);

}  // namespace platform::posix
