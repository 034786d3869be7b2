#include "detect/platform_route.h"

#include "platform/win32.h"

namespace detect {
namespace {

int NtRoute(const win32::OSVERSIONINFOA& info) {
    if (info.dwMajorVersion <= 4) return kRouteUnsupported;
    // Past major version 4 only the minor version tells the routes apart.
    if (info.dwMinorVersion == 0) return kRouteNt;
    if (info.dwMinorVersion == 1) return kRouteNtXp;
    return kRouteUnsupported;
}

int Win9xRoute(const win32::OSVERSIONINFOA& info) {
    if (info.dwMajorVersion != 4) return kRouteUnsupported;
    if (info.dwMinorVersion == 10) return kRouteWindows98;
    if (info.dwMinorVersion == 90) return kRouteWindowsMe;
    return kRouteUnsupported;
}

}  // namespace

int DeterminePlatformRoute() {
    win32::OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!win32::GetVersionExA(&info)) return kRouteVersionQueryFailed;
    switch (info.dwPlatformId) {
        case win32::VER_PLATFORM_WIN32_NT:
            return NtRoute(info);
        case win32::VER_PLATFORM_WIN32_WINDOWS:
            return Win9xRoute(info);
        default:
            return kRouteUnsupported;
    }
}

}  // namespace detect
