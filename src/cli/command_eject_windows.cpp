// eject on Windows: Safely Remove on the command line, the volume locked, dismounted and its
// medium ejected.
#include "app/win32/volume_eject.h"
#include "cli/volume_removal.h"

namespace cli {

int RunEject(Session& session, ArgumentList& arguments) {
    const char letter = RemovableVolumeArgument(arguments);
    VolumeEject release;
    return RemoveVolume(session, letter, release);
}

}  // namespace cli
