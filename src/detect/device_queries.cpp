#include "detect/device_queries.h"

#include "detect/nt_identification.h"
#include "detect/nt_queries.h"
#include "detect/platform_route.h"
#include "detect/win9x_routes.h"

namespace detect {

int IdentifyDevice(int route, tagPORTDEVINFO& device) {
    if (IsNtRoute(route)) return IdentifyNtDevice(device);
    if (IsWin9xRoute(route)) return IdentifyWin9xDevice(route, device);
    return 0;
}

// Each query asks for the route again: it may be called outside an enumeration.
int ReadDeviceSerialNumber(char driveLetter, std::uint8_t* serial) {
    const int route = DeterminePlatformRoute();
    if (IsNtRoute(route)) return ReadNtSerialNumber(driveLetter, serial);
    if (IsWin9xRoute(route)) return ReadWin9xSerialNumber(route, driveLetter, serial);
    return kQueryRouteUnsupported;
}

int ReadDeviceState(char driveLetter, std::uint8_t* state) {
    const int route = DeterminePlatformRoute();
    if (IsNtRoute(route)) return ReadNtDeviceState(driveLetter, state);
    if (IsWin9xRoute(route)) return ReadWin9xDeviceState(route, driveLetter, state);
    return kQueryRouteUnsupported;
}

}  // namespace detect
