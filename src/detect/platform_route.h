// Which identification route fits the running Windows version.
#pragma once

namespace detect {

enum PlatformRoute : int {
    kRouteVersionQueryFailed = -1,
    kRouteUnsupported = 0,
    kRouteWindows98 = 1,
    kRouteWindowsMe = 2,
    kRouteNt = 3,    // major version above 4, minor version 0
    kRouteNtXp = 4,  // major version above 4, minor version 1
};

int DeterminePlatformRoute();

inline bool IsNtRoute(int route) {
    return route == kRouteNt || route == kRouteNtXp;
}
inline bool IsWin9xRoute(int route) {
    return route == kRouteWindows98 || route == kRouteWindowsMe;
}

}  // namespace detect
