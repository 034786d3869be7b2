// What eject shares on every computer: the drive it may release and how the outcome is told.
#pragma once

#include "app/volume_release.h"
#include "cli/session.h"

namespace cli {

// The drive named by the DRIVE argument, when it is a removable volume of this computer;
// otherwise a usage error.
char RemovableVolumeArgument(ArgumentList& arguments);

// Releases that drive through `release`, tells the outcome and gives the exit status.
int RemoveVolume(Session& session, char letter, VolumeRelease& release);

}  // namespace cli
