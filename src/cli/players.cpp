#include "cli/players.h"

#include "app/installation.h"
#include "cli/arguments.h"
#include "common/caller_value.h"
#include "kpz/detection.h"

namespace cli {
namespace {

int KeepPlayer(tagPORTDEVINFO& device, long players) {
    common::CallerValue::PointerTo<std::vector<tagPORTDEVINFO>>(players)->push_back(device);
    return 1;
}

}  // namespace

std::string InstallationDatabasePath() {
    const auto folder = GetApplicationFolder();
    return folder ? *folder + kDatabaseFileName : kDatabaseFileName;
}

std::vector<tagPORTDEVINFO> DetectPlayers() {
    std::vector<tagPORTDEVINFO> players;
    const common::CallerValue value(&players);
    KPZPortableDeviceDetectionEnumDevices(InstallationDatabasePath().c_str(), &KeepPlayer,
                                          value.Value());
    return players;
}

tagPORTDEVINFO DetectedPlayerOn(char letter) {
    for (tagPORTDEVINFO& player : DetectPlayers()) {
        if (player.driveLetter == letter) return player;
    }
    throw UsageError(std::string("no player detected on ") + letter + ":");
}

}  // namespace cli
