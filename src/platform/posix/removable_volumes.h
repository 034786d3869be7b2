// The removable volumes among the mounted file systems: a file system on a block device
// whose disk says it is removable, or whose disk sits under a USB interface (hard-disk
// players often say they are not removable). Found through sysfs.
#pragma once

#include <string>
#include <vector>

#include "platform/posix/mount_table.h"

namespace platform::posix {

struct RemovableVolume {
    unsigned major = 0;
    unsigned minor = 0;
    std::string mountPoint;
    std::string fsType;
    std::string volumeNode;  // "/dev/sdb1", or the disk's own node for a whole-disk file system
    std::string diskNode;    // "/dev/sdb": where SCSI commands go
    std::string diskFolder;  // the disk's sysfs folder, "<sysfs>/devices/.../block/sdb"
};

// Each block-device file system of `mounts` (the first mount of each, whole) that is
// removable, in mount order. `sysfs` is where sysfs is mounted ("/sys").
std::vector<RemovableVolume> FindRemovableVolumes(const std::vector<MountEntry>& mounts,
                                                  const std::string& sysfs);

// The first line of a sysfs attribute, without its line end; empty when unreadable.
std::string ReadAttribute(const std::string& path);

}  // namespace platform::posix
