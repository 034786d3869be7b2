#include "platform/posix/host_system.h"

#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <thread>

#include "platform/ascii.h"
#include "platform/win32.h"

namespace platform::posix {
namespace {

constexpr char kRootDrive = 'Z';

}  // namespace

HostSystem::HostSystem() : files_(MakeHostFileSystem(*this)) {}

std::string HostSystem::WindowsPathOf(const std::string& hostPath) {
    std::string path = std::string(1, kRootDrive) + ":";
    for (char c : hostPath) path += c == '/' ? '\\' : c;
    if (path.size() == 2) path += '\\';
    return path;
}

win32::DWORD HostSystem::GetLogicalDrives() {
    return 1u << (kRootDrive - 'A');
}

win32::UINT HostSystem::GetDriveType(const char* root) {
    if (root != nullptr && ToUpperAscii(root[0]) == kRootDrive && root[1] == ':') {
        return win32::DRIVE_FIXED;
    }
    return win32::DRIVE_NO_ROOT_DIR;
}

win32::UINT HostSystem::SetErrorMode(win32::UINT mode) {
    return errorMode_.exchange(mode);
}

bool HostSystem::GetVersionEx(win32::OSVERSIONINFOA* info) {
    if (info == nullptr || info->dwOSVersionInfoSize != sizeof(win32::OSVERSIONINFOA)) {
        win32::SetLastError(win32::ERROR_INSUFFICIENT_BUFFER);
        return false;
    }
    info->dwMajorVersion = 5;
    info->dwMinorVersion = 1;
    info->dwBuildNumber = 2600;
    info->dwPlatformId = win32::VER_PLATFORM_WIN32_NT;
    std::memset(info->szCSDVersion, 0, sizeof info->szCSDVersion);
    return true;
}

std::string HostSystem::ModuleFileName() {
    std::error_code error;
    std::string path = std::filesystem::read_symlink("/proc/self/exe", error).string();
    // Windows programs carry their extension; the installation folder is found by it.
    const std::size_t slash = path.rfind('/');
    if (path.find('.', slash == std::string::npos ? 0 : slash) == std::string::npos) {
        path += ".exe";
    }
    return WindowsPathOf(path);
}

win32::SYSTEMTIME HostSystem::LocalTime() {
    return HostLocalTime();
}

win32::SYSTEMTIME HostLocalTime() {
    struct timespec now;
    ::clock_gettime(CLOCK_REALTIME, &now);
    struct tm local;
    ::localtime_r(&now.tv_sec, &local);
    win32::SYSTEMTIME time{};
    time.wYear = static_cast<win32::WORD>(local.tm_year + 1900);
    time.wMonth = static_cast<win32::WORD>(local.tm_mon + 1);
    time.wDayOfWeek = static_cast<win32::WORD>(local.tm_wday);
    time.wDay = static_cast<win32::WORD>(local.tm_mday);
    time.wHour = static_cast<win32::WORD>(local.tm_hour);
    time.wMinute = static_cast<win32::WORD>(local.tm_min);
    time.wSecond = static_cast<win32::WORD>(local.tm_sec);
    time.wMilliseconds = static_cast<win32::WORD>(now.tv_nsec / 1000000);
    return time;
}

void HostSystem::Sleep(win32::DWORD milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

// No debugger listens on the host; the texts are for a developer's eyes only.
void HostSystem::OutputDebugString(const char*) {}

void HostSystem::WriteStandardOutput(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
}

// No device answers control requests on the host yet.
win32::HANDLE HostSystem::CreateFile(const char*, win32::DWORD, win32::DWORD, win32::DWORD,
                                     win32::DWORD) {
    win32::SetLastError(win32::ERROR_FILE_NOT_FOUND);
    return win32::INVALID_HANDLE_VALUE;
}

bool HostSystem::DeviceIoControl(win32::HANDLE, win32::DWORD, void*, win32::DWORD, void*,
                                 win32::DWORD, win32::DWORD*) {
    win32::SetLastError(win32::ERROR_INVALID_HANDLE);
    return false;
}

// Events are the only objects the host hands out handles for.
bool HostSystem::CloseHandle(win32::HANDLE handle) {
    if (events_.Close(handle)) return true;
    win32::SetLastError(win32::ERROR_INVALID_HANDLE);
    return false;
}

bool HostSystem::DriveReachable(char letter) {
    return ToUpperAscii(letter) == kRootDrive;
}

bool HostSystem::EnterDrive(char letter, std::string& hostRoot) {
    if (ToUpperAscii(letter) != kRootDrive) {
        win32::SetLastError(win32::ERROR_PATH_NOT_FOUND);
        return false;
    }
    hostRoot.assign(1, '/');  // not = "/": GCC 12 warns falsely (-Wrestrict) at -O2
    return true;
}

std::string HostSystem::CurrentDirectory() {
    std::error_code error;
    std::string path = WindowsPathOf(std::filesystem::current_path(error).string());
    if (path.back() != '\\') path += '\\';
    return path;
}

}  // namespace platform::posix
