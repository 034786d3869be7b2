#include "detect/win9x_routes.h"

#include "detect/device_queries.h"

namespace detect {

void ResetWin9xDriveMap() {
    // Not built yet: the Windows 98/Me drive map comes with those routes.
}

int IdentifyWin9xDevice(int, tagPORTDEVINFO&) {
    return 0;  // Not built yet: the Windows 98/Me route identifies no player.
}

int ReadWin9xSerialNumber(int, char, std::uint8_t*) {
    return kQueryRouteUnsupported;  // Not built yet: the Windows 98/Me query is refused.
}

int ReadWin9xDeviceState(int, char, std::uint8_t*) {
    return kQueryRouteUnsupported;  // Not built yet: the Windows 98/Me query is refused.
}

}  // namespace detect
