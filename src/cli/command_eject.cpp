// eject: Safely Remove on the command line, through the same release as the window's.
#include <QCoreApplication>

#include <memory>

#include "app/qt/udisks_release.h"
#include "cli/volume_removal.h"

namespace cli {

int RunEject(Session& session, ArgumentList& arguments) {
    const char letter = RemovableVolumeArgument(arguments);
    // The bus connection wants an application object to belong to.
    int argc = 1;
    char name[] = "zarn-upgrade";
    char* argv[] = {name, nullptr};
    std::unique_ptr<QCoreApplication> application;
    if (QCoreApplication::instance() == nullptr) {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    qtui::UdisksRelease release;
    return RemoveVolume(session, letter, release);
}

}  // namespace cli
