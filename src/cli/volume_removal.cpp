#include "cli/volume_removal.h"

#include <string>

#include "platform/system.h"

namespace cli {

char RemovableVolumeArgument(ArgumentList& arguments) {
    const char letter = ParseDrive(arguments.Positional("DRIVE"));
    arguments.Finish();
    platform::HostDevices* devices = platform::Current().Devices();
    if (devices == nullptr || devices->VolumeNode(letter).empty()) {
        throw UsageError(std::string{letter, ':'} + " is not a removable volume of this computer");
    }
    return letter;
}

int RemoveVolume(Session& session, char letter, VolumeRelease& release) {
    const RemovalOutcome outcome = SafelyRemoveDrive(letter, release);
    if (session.output.Text()) {
        session.output.Line(Utf8(outcome.text));
    } else {
        session.output.Note(Utf8(outcome.text));
    }
    session.output.Result(Json{{"released", outcome.released}, {"message", Utf8(outcome.text)}});
    return outcome.released ? kExitDone : kExitFailed;
}

}  // namespace cli
