// Releasing a player's volume from the computer, the design's Step 3 done for the user:
// its file system unmounted, then its disk powered off where the disk can be.
#pragma once

#include <string>

class VolumeRelease {
  public:
    virtual ~VolumeRelease() = default;
    // Releases the volume on the block device `node` ("/dev/sdb1"). An empty text when it
    // was released, else the system's error as it came (system code page); `poweredOff`
    // says whether the disk was powered off too.
    virtual std::string Release(const std::string& node, bool& poweredOff) = 0;
};

struct RemovalOutcome {
    bool released = false;
    std::string text;  // for the user, in the system code page
};

// Releases the volume on drive `letter` of the installed backend through `release`.
RemovalOutcome SafelyRemoveDrive(char letter, VolumeRelease& release);
