// eject: Safely Remove on the command line, through the same release as the window's.
#include <QCoreApplication>

#include "app/qt/udisks_release.h"
#include "app/volume_release.h"
#include "cli/session.h"
#include "platform/system.h"

namespace cli {

int RunEject(Session& session, ArgumentList& arguments) {
    const char letter = ParseDrive(arguments.Positional("DRIVE"));
    arguments.Finish();
    platform::HostDevices* devices = platform::Current().Devices();
    if (devices == nullptr || devices->VolumeNode(letter).empty()) {
        throw UsageError(std::string{letter, ':'} + " is not a removable volume of this computer");
    }
    // The bus connection wants an application object to belong to.
    int argc = 1;
    char name[] = "zarn-upgrade";
    char* argv[] = {name, nullptr};
    std::unique_ptr<QCoreApplication> application;
    if (QCoreApplication::instance() == nullptr) {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    qtui::UdisksRelease release;
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
