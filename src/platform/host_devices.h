// What a backend on a real computer tells the front ends about the devices behind its drive
// letters: the node to release a volume by, the devices it could not ask, and the file that
// signals volumes coming and going.
#pragma once

#include <string>
#include <vector>

namespace platform {

class HostDevices {
  public:
    virtual ~HostDevices() = default;
    // The block device of the volume on `letter` ("/dev/sdb1"); empty when there is none.
    virtual std::string VolumeNode(char letter) = 0;
    // One line for each device that could not be opened since the last call, each told once:
    // "E: /dev/sdb: permission denied: install the udev rule or run with access to the device".
    virtual std::vector<std::string> TakeDeviceNotices() = 0;
    // The file whose POLLPRI says that a volume was mounted or removed.
    virtual std::string VolumeTableFile() = 0;
};

}  // namespace platform
