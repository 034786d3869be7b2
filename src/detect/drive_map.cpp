#include "detect/drive_map.h"

#include "common/path_text.h"
#include "detect/device_match.h"
#include "detect/diagnostics.h"
#include "detect/win9x_routes.h"
#include "platform/ascii.h"
#include "platform/win32.h"

namespace detect {

Win9xDriveMap g_driveMap;

void ResetWin9xDriveMap() {
    g_driveMap.count = 0;
    g_driveMap.diskDriveScanPending = true;
    g_driveMap.scsiManagerScanPending = true;
}

void ReleaseWin9xServices() {
    if (g_driveMap.scsiManager != nullptr) win32::FreeLibrary(g_driveMap.scsiManager);
    g_driveMap.scsiManager = nullptr;
    g_driveMap.getSupportInfo = nullptr;
    g_driveMap.sendCommand = nullptr;
    ResetWin9xDriveMap();
    for (auto& entry : g_driveMap.entries) entry = tagPORTDEVINFO{};
}

bool AddDriveMapEntry(char driveLetter, const tagPORTDEVDESC& entry) {
    if (g_driveMap.count >= kDriveMapCapacity) {
        WriteDebugger(FormatText("Drive map full: %c: not registered\n", driveLetter));
        return false;
    }
    tagPORTDEVINFO& slot = g_driveMap.entries[g_driveMap.count++];
    slot.driveLetter = driveLetter;
    slot.desc = entry;
    return true;
}

bool LookUpDriveMap(tagPORTDEVINFO& device) {
    const char letter = platform::ToUpperAscii(device.driveLetter);
    for (int i = 0; i < g_driveMap.count; ++i) {
        if (g_driveMap.entries[i].driveLetter != letter) continue;
        tagPORTDEVDESC found = g_driveMap.entries[i].desc;
        if (!IsDriveRootAccessible(common::DriveRoot(letter).c_str())) return false;
        device.desc = std::move(found);
        return true;
    }
    return false;
}

}  // namespace detect
