// Releasing a removable volume on Windows: its file system locked and dismounted, then the
// medium ejected, as Windows' own removal does for a removable drive.
#pragma once

#include "app/volume_release.h"

class VolumeEject : public VolumeRelease {
  public:
    // `node` is the volume's device name ("\\.\E:").
    std::string Release(const std::string& node, bool& poweredOff) override;
};
