#include "app/win32/volume_eject.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <winioctl.h>

namespace {

// The system's text for an error, without its line end.
std::string ErrorText(DWORD error) {
    char text[512] = {};
    const DWORD size = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, text, sizeof text, nullptr);
    std::string message(text, size);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                                message.back() == ' ' || message.back() == '.')) {
        message.pop_back();
    }
    return message.empty() ? "error " + std::to_string(error) : message;
}

bool Control(HANDLE volume, DWORD code, void* in = nullptr, DWORD inSize = 0) {
    DWORD returned = 0;
    return ::DeviceIoControl(volume, code, in, inSize, nullptr, 0, &returned, nullptr) != FALSE;
}

}  // namespace

std::string VolumeEject::Release(const std::string& node, bool& poweredOff) {
    poweredOff = false;
    const HANDLE volume =
        ::CreateFileA(node.c_str(), GENERIC_READ | GENERIC_WRITE,
                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (volume == INVALID_HANDLE_VALUE) return ErrorText(::GetLastError());
    // Locked first: no program may still have a file open on it when it goes.
    PREVENT_MEDIA_REMOVAL allow{FALSE};
    const bool released = Control(volume, FSCTL_LOCK_VOLUME) &&
                          Control(volume, FSCTL_DISMOUNT_VOLUME) &&
                          Control(volume, IOCTL_STORAGE_MEDIA_REMOVAL, &allow, sizeof allow) &&
                          Control(volume, IOCTL_STORAGE_EJECT_MEDIA);
    const DWORD error = ::GetLastError();
    ::CloseHandle(volume);
    return released ? std::string() : ErrorText(error);
}
