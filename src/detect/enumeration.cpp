// KPZPortableDeviceDetectionEnumDevices: the scan of the removable drives for players.
#include <cstring>
#include <memory>
#include <string>

#include "common/path_text.h"
#include "detect/database_file.h"
#include "detect/device_queries.h"
#include "detect/platform_route.h"
#include "detect/supported_devices.h"
#include "detect/win9x_routes.h"
#include "kpz/detection.h"
#include "platform/win32.h"

using namespace win32;

namespace {

// Completes an identified player with its serial number and state, when its entry asks.
void QueryDevice(tagPORTDEVINFO& device) {
    tagPORTDEVDESC& desc = device.desc;
    std::uint8_t serial[8] = {};
    const bool serialRead = desc.querySerialFlag != 0 &&
                            detect::ReadDeviceSerialNumber(device.driveLetter, serial) == 0;
    std::memset(desc.serialNumber, 0, sizeof desc.serialNumber);
    if (serialRead) std::memcpy(desc.serialNumber, serial, sizeof serial);

    if (desc.queryStateFlag == 0) return;  // the entry's own value stays
    std::uint8_t state = 0;
    if (detect::ReadDeviceState(device.driveLetter, &state) != 0) {
        desc.deviceState = -1;
        desc.hasSystemFiles = 0;
        return;
    }
    desc.deviceState = static_cast<std::int8_t>(state);
    if (desc.deviceState != 0) desc.hasSystemFiles = 0;
}

// Walks C: to Z: (A: and B: are never probed); the result the enumeration returns.
int WalkRemovableDrives(int route, tagPORTDEVINFO& device, PFNPORTDEVENUMCALLBACK callback,
                        long callerValue) {
    const DWORD mask = GetLogicalDrives();
    int found = 0;
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
        if ((mask & (1u << (letter - 'A'))) == 0) continue;
        const std::string root = common::DriveRoot(letter);
        if (GetDriveTypeA(root.c_str()) != DRIVE_REMOVABLE) continue;
        if (!detect::IsNtRoute(route) && !detect::IsWin9xRoute(route)) return 0;
        device.driveLetter = letter;
        if (!detect::IdentifyDevice(route, device)) continue;
        QueryDevice(device);
        if (callback != nullptr && callback(device, callerValue) == 0) return -1;
        ++found;
    }
    return found;
}

}  // namespace

int KPZPortableDeviceDetectionEnumDevices(const char* databasePath, PFNPORTDEVENUMCALLBACK callback,
                                          long callerValue) {
    try {
        // Not reset between letters: each identification overwrites the whole description.
        auto device = std::make_unique<tagPORTDEVINFO>();
        if (!detect::LoadSupportedDevices(databasePath)) return 0;
        detect::SupportedDevicesLoan loan;
        detect::ResetWin9xDriveMap();
        const int route = detect::DeterminePlatformRoute();
        // Probing an empty or missing medium must raise no prompt; left off at the end.
        SetErrorMode(SEM_FAILCRITICALERRORS);
        return WalkRemovableDrives(route, *device, callback, callerValue);
    } catch (...) {
        return 0;  // nothing crosses the library's boundary
    }
}

int KPZPortableDeviceDetectionEnumDevices(const char* databasePath, PFNPORTDEVENUMCALLBACK callback,
                                          tagPORTDEVCONFLICTDIALOGINFO&, long callerValue) {
    return KPZPortableDeviceDetectionEnumDevices(databasePath, callback, callerValue);
}
