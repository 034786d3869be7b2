#include "platform/win32/win32_system.h"

#include <cstdio>

#include "platform/host_process.h"
#include "platform/win32.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/windows_api.h"

namespace platform::windows {
namespace {

static_assert(sizeof(::OSVERSIONINFOA) == sizeof(win32::OSVERSIONINFOA));

bool Forwarded(BOOL ok) {
    return ok != FALSE || FailWithHostError();
}

}  // namespace

Win32System::Win32System() : files_(MakeHostFileSystem(*this)) {}

win32::DWORD Win32System::GetLogicalDrives() {
    return ::GetLogicalDrives();
}

win32::UINT Win32System::GetDriveType(const char* root) {
    return ::GetDriveTypeA(root);
}

win32::UINT Win32System::SetErrorMode(win32::UINT mode) {
    return ::SetErrorMode(mode);
}

win32::HANDLE Win32System::CreateFile(const char* name, win32::DWORD access, win32::DWORD share,
                                      win32::DWORD creation, win32::DWORD flags) {
    const HANDLE handle = ::CreateFileA(name, access, share, nullptr, creation, flags, nullptr);
    if (handle == INVALID_HANDLE_VALUE) FailWithHostError();
    return handle;
}

bool Win32System::DeviceIoControl(win32::HANDLE device, win32::DWORD code, void* in,
                                  win32::DWORD inSize, void* out, win32::DWORD outSize,
                                  win32::DWORD* returned) {
    DWORD count = 0;
    const BOOL ok = ::DeviceIoControl(device, code, in, inSize, out, outSize, &count, nullptr);
    if (returned != nullptr) *returned = count;
    return Forwarded(ok);
}

bool Win32System::CloseHandle(win32::HANDLE handle) {
    return Forwarded(::CloseHandle(handle));
}

bool Win32System::GetVersionEx(win32::OSVERSIONINFOA* info) {
    return Forwarded(::GetVersionExA(reinterpret_cast<::OSVERSIONINFOA*>(info)));
}

std::string Win32System::ModuleFileName() {
    if (!programFile_.empty()) return programFile_;
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD size = ::GetModuleFileNameA(nullptr, path.data(), path.size());
        if (size < path.size()) return path.substr(0, size);
        path.resize(path.size() * 2);
    }
}

win32::SYSTEMTIME Win32System::LocalTime() {
    return HostLocalTime();
}

void Win32System::Sleep(win32::DWORD milliseconds) {
    ::Sleep(milliseconds);
}

void Win32System::OutputDebugString(const char* text) {
    ::OutputDebugStringA(text);
}

void Win32System::WriteStandardOutput(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
}

std::string Win32System::VolumeNode(char letter) {
    const char root[] = {letter, ':', '\\', '\0'};
    if (::GetDriveTypeA(root) != DRIVE_REMOVABLE) return {};
    return std::string("\\\\.\\") + letter + ':';
}

bool Win32System::EnterDrive(char letter, std::string& hostRoot) {
    hostRoot = std::string(1, letter) + ":\\";
    return true;
}

bool Win32System::DriveReachable(char) {
    return true;
}

std::string Win32System::CurrentDirectory() {
    char buffer[MAX_PATH + 1];
    const DWORD size = ::GetCurrentDirectoryA(sizeof buffer, buffer);
    std::string path(buffer, size < sizeof buffer ? size : 0);
    if (!path.empty() && path.back() != '\\') path += '\\';
    return path;
}

}  // namespace platform::windows
