#include "detect/nt_volume.h"

#include <string>

#include "platform/win32.h"

namespace detect {

using namespace win32;

NtVolume::NtVolume(char driveLetter) {
    const std::string name = std::string("\\\\.\\") + driveLetter + ":";
    SetErrorMode(SEM_FAILCRITICALERRORS);
    handle_ = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE,
                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
}

NtVolume::~NtVolume() {
    if (IsOpen()) CloseHandle(handle_);
}

bool NtVolume::IsOpen() const {
    return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr;
}

bool NtVolume::Request(DWORD code, void* in, DWORD inSize, void* out, DWORD outSize,
                       DWORD* returned) {
    return IsOpen() && DeviceIoControl(handle_, code, in, inSize, out, outSize, returned, nullptr);
}

}  // namespace detect
