// Releases a volume through udisks2 on the system bus: Filesystem.Unmount, then
// Drive.PowerOff when the drive says CanPowerOff. The window and zarn-upgrade both use it.
#pragma once

#include "app/volume_release.h"

namespace qtui {

class UdisksRelease : public VolumeRelease {
  public:
    std::string Release(const std::string& node, bool& poweredOff) override;
};

// udisks2's object path of a block device node: "/dev/sdb1" gives
// "/org/freedesktop/UDisks2/block_devices/sdb1"; other characters than letters and digits
// are written "_xx" in hex.
std::string UdisksBlockPath(const std::string& node);

}  // namespace qtui
