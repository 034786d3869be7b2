// KPZPortableDeviceDetectionIsPresent: whether a player's drive can still be reached.
#include <string>

#include "kpz/detection.h"
#include "platform/win32.h"

using namespace win32;

int KPZPortableDeviceDetectionIsPresent(char driveLetter) {
    const std::string probe = std::string{driveLetter, ':', '\\', '.'};
    SetErrorMode(SEM_FAILCRITICALERRORS);
    const DWORD attributes = GetFileAttributesA(probe.c_str());
    SetErrorMode(0);
    if (attributes == INVALID_FILE_ATTRIBUTES) return 0;
    ULARGE_INTEGER available{};
    return GetDiskFreeSpaceExA(probe.c_str(), &available, nullptr, nullptr) ? 1 : 0;
}
