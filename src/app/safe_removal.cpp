// Safely Remove: the volume of a drive letter released through the system's disk service.
#include "app/volume_release.h"
#include "platform/system.h"

RemovalOutcome SafelyRemoveDrive(char letter, VolumeRelease& release) {
    const std::string drive{letter, ':'};
    platform::HostDevices* devices = platform::Current().Devices();
    const std::string node = devices != nullptr ? devices->VolumeNode(letter) : std::string();
    if (node.empty()) {
        return {false,
                drive + " is not a removable volume of this computer; nothing was released."};
    }
    bool poweredOff = false;
    const std::string error = release.Release(node, poweredOff);
    if (!error.empty()) {
        return {false, drive + " (" + node + ") could not be removed safely: " + error};
    }
    return {true, drive + " (" + node + ") is unmounted" +
                      (poweredOff ? " and powered off: the player can be unplugged now."
                                  : ": the player can be unplugged now.")};
}
