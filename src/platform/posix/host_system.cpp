#include "platform/posix/host_system.h"

#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <thread>

#include "platform/ascii.h"
#include "platform/posix/volume_requests.h"
#include "platform/win32.h"

namespace platform::posix {
namespace {

constexpr char kRootDrive = 'Z';

bool Fail(win32::DWORD error) {
    win32::SetLastError(error);
    return false;
}

// "\\.\E:" names the volume of drive E:.
char VolumeLetter(const char* name) {
    const std::string text = name != nullptr ? name : "";
    if (text.size() == 6 && text.rfind("\\\\.\\", 0) == 0 && text[5] == ':' &&
        IsAsciiLetter(text[4])) {
        return ToUpperAscii(text[4]);
    }
    return 0;
}

std::uint64_t VolumeKey(const RemovableVolume& volume) {
    return std::uint64_t{volume.major} << 32 | volume.minor;
}

}  // namespace

HostSystem::HostSystem() : HostSystem(HostPaths{}, MakeSgIoCommands()) {}

HostSystem::HostSystem(HostPaths paths, std::unique_ptr<ScsiCommands> scsi)
    : paths_(std::move(paths)),
      scsi_(std::move(scsi)),
      files_(MakeHostFileSystem(*this)),
      mountWatch_(paths_.mountInfo),
      letters_(kRootDrive) {}

void HostSystem::RefreshVolumes() {
    if (!mountWatch_.Changed()) return;
    const std::vector<RemovableVolume> found =
        FindRemovableVolumes(ParseMountInfo(mountWatch_.Read()), paths_.sysfs);
    std::vector<std::uint64_t> keys;
    for (const RemovableVolume& volume : found) keys.push_back(VolumeKey(volume));
    const std::vector<char> letters = letters_.Update(keys);
    volumes_.clear();
    for (std::size_t i = 0; i < found.size(); ++i) {
        if (letters[i] != 0) volumes_[letters[i]] = found[i];
    }
}

const RemovableVolume* HostSystem::VolumeOn(char letter) {
    RefreshVolumes();
    auto it = volumes_.find(ToUpperAscii(letter));
    return it == volumes_.end() ? nullptr : &it->second;
}

std::string HostSystem::WindowsPathOf(const std::string& hostPath) {
    std::string path = std::string(1, kRootDrive) + ":";
    for (char c : hostPath) path += c == '/' ? '\\' : c;
    if (path.size() == 2) path += '\\';
    return path;
}

win32::DWORD HostSystem::GetLogicalDrives() {
    std::lock_guard lock(mutex_);
    RefreshVolumes();
    win32::DWORD mask = 1u << (kRootDrive - 'A');
    for (const auto& entry : volumes_) mask |= 1u << (entry.first - 'A');
    return mask;
}

win32::UINT HostSystem::GetDriveType(const char* root) {
    if (root == nullptr || !IsAsciiLetter(root[0]) || root[1] != ':') {
        return win32::DRIVE_NO_ROOT_DIR;
    }
    if (ToUpperAscii(root[0]) == kRootDrive) return win32::DRIVE_FIXED;
    std::lock_guard lock(mutex_);
    return VolumeOn(root[0]) != nullptr ? win32::DRIVE_REMOVABLE : win32::DRIVE_NO_ROOT_DIR;
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

void HostSystem::SetProgramFile(std::string hostPath) {
    programFile_ = std::move(hostPath);
}

std::string HostSystem::ModuleFileName() {
    std::error_code error;
    std::string path = programFile_.empty()
                           ? std::filesystem::read_symlink("/proc/self/exe", error).string()
                           : programFile_;
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

// A volume's handle stands for the volume it was opened on; the disk's node is opened only
// for a command that needs it, so what sysfs knows needs no access to the device.
win32::HANDLE HostSystem::CreateFile(const char* name, win32::DWORD, win32::DWORD, win32::DWORD,
                                     win32::DWORD) {
    const char letter = VolumeLetter(name);
    std::lock_guard lock(mutex_);
    const RemovableVolume* volume = letter != 0 ? VolumeOn(letter) : nullptr;
    if (volume == nullptr) {
        win32::SetLastError(win32::ERROR_FILE_NOT_FOUND);
        return win32::INVALID_HANDLE_VALUE;
    }
    nextHandle_ += 4;
    const auto handle = reinterpret_cast<win32::HANDLE>(nextHandle_);
    handles_[handle] = OpenVolume{letter, volume->major, volume->minor};
    return handle;
}

bool HostSystem::DeviceIoControl(win32::HANDLE device, win32::DWORD code, void* in,
                                 win32::DWORD inSize, void* out, win32::DWORD outSize,
                                 win32::DWORD* returned) {
    RemovableVolume volume;
    char letter = 0;
    {
        std::lock_guard lock(mutex_);
        auto it = handles_.find(device);
        if (it == handles_.end()) return Fail(win32::ERROR_INVALID_HANDLE);
        letter = it->second.letter;
        const RemovableVolume* now = VolumeOn(letter);
        if (now == nullptr || now->major != it->second.major || now->minor != it->second.minor) {
            return Fail(win32::ERROR_DEVICE_NOT_CONNECTED);  // gone, or another one there now
        }
        volume = *now;
    }
    int openError = 0;  // the request may wait for the device: not under the lock
    const bool answered =
        AnswerVolumeRequest(volume, *scsi_, code, in, inSize, out, outSize, returned, openError);
    if (openError != 0) NoteOpenFailure(letter, volume.diskNode, openError);
    return answered;
}

// Volumes and events are the objects the host hands out handles for.
bool HostSystem::CloseHandle(win32::HANDLE handle) {
    if (events_.Close(handle)) return true;
    std::lock_guard lock(mutex_);
    return handles_.erase(handle) == 1 || Fail(win32::ERROR_INVALID_HANDLE);
}

void HostSystem::NoteOpenFailure(char letter, const std::string& node, int error) {
    std::string text = std::string{letter, ':', ' '} + node + ": ";
    if (error == EACCES || error == EPERM) {
        text += "permission denied: install the udev rule or run with access to the device";
    } else {
        text += std::string("cannot be opened: ") + std::strerror(error);
    }
    const int saved = errno;
    std::lock_guard lock(mutex_);
    if (noticed_.insert(text).second) notices_.push_back(text);
    errno = saved;
}

std::vector<std::string> HostSystem::TakeDeviceNotices() {
    std::lock_guard lock(mutex_);
    noticed_.clear();
    return std::exchange(notices_, {});
}

std::string HostSystem::VolumeNode(char letter) {
    std::lock_guard lock(mutex_);
    const RemovableVolume* volume = VolumeOn(letter);
    return volume != nullptr ? volume->volumeNode : std::string();
}

bool HostSystem::DriveReachable(char letter) {
    if (ToUpperAscii(letter) == kRootDrive) return true;
    std::lock_guard lock(mutex_);
    return VolumeOn(letter) != nullptr;
}

bool HostSystem::EnterDrive(char letter, std::string& hostRoot) {
    if (ToUpperAscii(letter) == kRootDrive) {
        hostRoot.assign(1, '/');  // not = "/": GCC 12 warns falsely (-Wrestrict) at -O2
        return true;
    }
    std::lock_guard lock(mutex_);
    const RemovableVolume* volume = VolumeOn(letter);
    if (volume == nullptr) return Fail(win32::ERROR_PATH_NOT_FOUND);
    hostRoot = volume->mountPoint;
    return true;
}

std::string HostSystem::CurrentDirectory() {
    std::error_code error;
    std::string path = WindowsPathOf(std::filesystem::current_path(error).string());
    if (path.back() != '\\') path += '\\';
    return path;
}

}  // namespace platform::posix
