#include "platform/sim/machine.h"

#include <csignal>
#include <cstdlib>
#include <cstring>

#include "platform/ascii.h"
#include "platform/posix/host_system.h"
#include "platform/win32.h"

namespace sim {
namespace {

bool Fail(DWORD error) {
    win32::SetLastError(error);
    return false;
}

bool IsVwin32Name(const std::string& name) {
    return platform::EqualsNoCase(name, "\\\\.\\VWIN32");
}

// "\\.\E:" names the volume of drive E:.
char VolumeLetter(const std::string& name) {
    if (name.size() == 6 && name.rfind("\\\\.\\", 0) == 0 && name[5] == ':' &&
        platform::IsAsciiLetter(name[4])) {
        return platform::ToUpperAscii(name[4]);
    }
    return 0;
}

}  // namespace

Machine::Machine() : files_(platform::MakeHostFileSystem(*this)) {
    SetWindowsVersion(win32::VER_PLATFORM_WIN32_NT, 5, 1);
}

// Memory the program left allocated goes with the machine.
Machine::~Machine() {
    for (void* block : localBlocks_) std::free(block);
}

Drive& Machine::AddDrive(char letter, UINT type, std::optional<std::string> hostFolder) {
    std::lock_guard lock(mutex_);
    Drive& drive = drives_[platform::ToUpperAscii(letter)];
    drive = Drive{};
    drive.type = type;
    drive.folder = std::move(hostFolder);
    return drive;
}

Drive* Machine::FindDrive(char letter) {
    std::lock_guard lock(mutex_);
    auto it = drives_.find(platform::ToUpperAscii(letter));
    return it == drives_.end() ? nullptr : &it->second;
}

void Machine::SetWindowsVersion(DWORD platformId, DWORD major, DWORD minor) {
    version_ = win32::OSVERSIONINFOA{};
    version_.dwOSVersionInfoSize = sizeof version_;
    version_.dwPlatformId = platformId;
    version_.dwMajorVersion = major;
    version_.dwMinorVersion = minor;
}

void Machine::Unplug(char letter) {
    if (Drive* drive = FindDrive(letter)) {
        std::lock_guard lock(mutex_);
        drive->present = false;
    }
}

bool Machine::EnterDrive(char letter, std::string& hostRoot) {
    std::lock_guard lock(mutex_);
    auto it = drives_.find(letter);
    if (it == drives_.end() || !it->second.present) return Fail(win32::ERROR_PATH_NOT_FOUND);
    Drive& drive = it->second;
    if (!drive.folder) return Fail(win32::ERROR_NOT_READY);
    ++drive.operations;
    if (drive.failWriteAtOp > 0 && drive.operations == drive.failWriteAtOp) {
        return Fail(win32::ERROR_WRITE_FAULT);
    }
    if (drive.unplugAfterOps > 0 && drive.operations >= drive.unplugAfterOps) {
        drive.present = false;  // this operation still goes through; the next one fails
    }
    hostRoot = *drive.folder;
    return true;
}

bool Machine::DriveReachable(char letter) {
    std::lock_guard lock(mutex_);
    auto it = drives_.find(letter);
    return it != drives_.end() && it->second.present && it->second.folder.has_value();
}

std::string Machine::CurrentDirectory() {
    std::lock_guard lock(mutex_);
    return currentDirectory_;
}

bool Machine::FreeSpaceOverride(char letter, std::uint64_t& freeBytes) {
    std::lock_guard lock(mutex_);
    auto it = drives_.find(letter);
    if (it == drives_.end() || !it->second.freeBytes) return false;
    freeBytes = *it->second.freeBytes;
    return true;
}

void Machine::ContentWritten(char letter, std::uint64_t bytes) {
    std::lock_guard lock(mutex_);
    auto it = drives_.find(letter);
    if (it == drives_.end()) return;
    Drive& drive = it->second;
    drive.bytesCopied += bytes;
    // As sudden as a power cut: nothing of ours runs after it.
    if (drive.killAfterBytes > 0 && drive.bytesCopied >= drive.killAfterBytes) ::raise(SIGKILL);
}

DWORD Machine::GetLogicalDrives() {
    std::lock_guard lock(mutex_);
    DWORD mask = 0;
    for (const auto& [letter, drive] : drives_) {
        if (drive.present) mask |= 1u << (letter - 'A');
    }
    return mask;
}

UINT Machine::GetDriveType(const char* root) {
    if (root == nullptr || !platform::IsAsciiLetter(root[0]) || root[1] != ':') {
        return win32::DRIVE_NO_ROOT_DIR;
    }
    std::lock_guard lock(mutex_);
    auto it = drives_.find(platform::ToUpperAscii(root[0]));
    if (it == drives_.end() || !it->second.present) return win32::DRIVE_NO_ROOT_DIR;
    return it->second.type;
}

UINT Machine::SetErrorMode(UINT mode) {
    std::lock_guard lock(mutex_);
    errorModes_.push_back(mode);
    const UINT previous = errorMode_;
    errorMode_ = mode;
    return previous;
}

void Machine::SetScsiManager(std::optional<ScsiManager> manager) {
    std::lock_guard lock(mutex_);
    scsiManager_ = std::move(manager);
}

void Machine::FailLocalAllocAt(unsigned n) {
    std::lock_guard lock(mutex_);
    localAllocsUntilFailure_ = n;
}

win32::HANDLE Machine::NewObjectHandle() {
    nextDevice_ += 4;
    return reinterpret_cast<win32::HANDLE>(nextDevice_);
}

void Machine::Record(std::string call) {
    serviceCalls_.push_back(std::move(call));
}

bool Machine::Is95Family() const {
    return version_.dwPlatformId == win32::VER_PLATFORM_WIN32_WINDOWS;
}

win32::HANDLE Machine::CreateFile(const char* name, DWORD access, DWORD share, DWORD creation,
                                  DWORD flags) {
    const std::string text = name ? name : "";
    const char letter = VolumeLetter(text);
    const bool vwin32 = IsVwin32Name(text);
    {
        std::lock_guard lock(mutex_);
        handleOpens_.push_back({text, access, share, creation, flags});
        if (vwin32) Record("CreateFileA " + text);
        auto it = drives_.find(letter);
        // The VWIN32 device exists on Windows 98 and Me only.
        const bool exists =
            vwin32 ? Is95Family() : letter != 0 && it != drives_.end() && it->second.present;
        if (!exists) {
            win32::SetLastError(win32::ERROR_FILE_NOT_FOUND);
            return win32::INVALID_HANDLE_VALUE;
        }
    }
    std::lock_guard lock(mutex_);
    const win32::HANDLE handle = NewObjectHandle();
    devices_[handle] = OpenDevice{text, letter};
    return handle;
}

bool Machine::DeviceIoControl(win32::HANDLE device, DWORD code, void* in, DWORD inSize, void* out,
                              DWORD outSize, DWORD* returned) {
    std::lock_guard lock(mutex_);
    auto it = devices_.find(device);
    if (it == devices_.end()) return Fail(win32::ERROR_INVALID_HANDLE);
    if (it->second.drive == 0) return AnswerVwin32Request(code, in, inSize, out, outSize, returned);
    const auto* bytes = static_cast<const std::uint8_t*>(in);
    deviceRequests_.push_back(
        {it->second.name, code,
         bytes ? std::vector<std::uint8_t>(bytes, bytes + inSize) : std::vector<std::uint8_t>{}});
    auto drive = drives_.find(it->second.drive);
    if (drive == drives_.end() || !drive->second.present) {
        return Fail(win32::ERROR_DEVICE_NOT_CONNECTED);
    }
    return AnswerVolumeRequest(drive->second, code, in, inSize, out, outSize, returned);
}

bool Machine::CloseHandle(win32::HANDLE handle) {
    std::lock_guard lock(mutex_);
    if (events_.Close(handle)) {
        Record("CloseHandle event");
        return true;
    }
    auto it = devices_.find(handle);
    if (it == devices_.end()) return Fail(win32::ERROR_INVALID_HANDLE);
    if (it->second.drive == 0) Record("CloseHandle " + it->second.name);
    devices_.erase(it);
    return true;
}

bool Machine::GetVersionEx(win32::OSVERSIONINFOA* info) {
    if (info == nullptr || info->dwOSVersionInfoSize != sizeof(win32::OSVERSIONINFOA) ||
        versionQueryFails_) {
        return Fail(win32::ERROR_INSUFFICIENT_BUFFER);
    }
    std::lock_guard lock(mutex_);
    *info = version_;
    return true;
}

std::string Machine::ModuleFileName() {
    std::lock_guard lock(mutex_);
    return program_;
}

win32::SYSTEMTIME Machine::LocalTime() {
    {
        std::lock_guard lock(mutex_);
        if (localTime_) return *localTime_;
    }
    return platform::posix::HostLocalTime();
}

void Machine::Sleep(DWORD milliseconds) {
    std::lock_guard lock(mutex_);
    slept_ += milliseconds;
}

void Machine::OutputDebugString(const char* text) {
    std::lock_guard lock(mutex_);
    debugOutput_.emplace_back(text);
    diagnostics_.push_back({Diagnostic::Channel::Debugger, text});
}

void Machine::WriteStandardOutput(const std::string& text) {
    std::lock_guard lock(mutex_);
    standardOutput_.push_back(text);
    diagnostics_.push_back({Diagnostic::Channel::StandardOutput, text});
}

std::uint64_t Machine::TotalSleptMilliseconds() const {
    std::lock_guard lock(mutex_);
    return slept_;
}

std::vector<UINT> Machine::ErrorModes() const {
    std::lock_guard lock(mutex_);
    return errorModes_;
}

std::vector<std::string> Machine::DebugOutput() const {
    std::lock_guard lock(mutex_);
    return debugOutput_;
}

std::vector<std::string> Machine::StandardOutput() const {
    std::lock_guard lock(mutex_);
    return standardOutput_;
}

std::vector<HandleOpen> Machine::HandleOpens() const {
    std::lock_guard lock(mutex_);
    return handleOpens_;
}

std::vector<DeviceRequest> Machine::DeviceRequests() const {
    std::lock_guard lock(mutex_);
    return deviceRequests_;
}

std::vector<Diagnostic> Machine::Diagnostics() const {
    std::lock_guard lock(mutex_);
    return diagnostics_;
}

std::vector<std::string> Machine::ServiceCalls() const {
    std::lock_guard lock(mutex_);
    return serviceCalls_;
}

std::vector<Vwin32Request> Machine::Vwin32Requests() const {
    std::lock_guard lock(mutex_);
    return vwin32Requests_;
}

std::vector<std::vector<std::uint8_t>> Machine::AspiRequests() const {
    std::lock_guard lock(mutex_);
    return aspiRequests_;
}

std::size_t Machine::LiveLocalBlocks() const {
    std::lock_guard lock(mutex_);
    return localBlocks_.size();
}

unsigned Machine::OperationsOn(char letter) const {
    std::lock_guard lock(mutex_);
    auto it = drives_.find(platform::ToUpperAscii(letter));
    return it == drives_.end() ? 0 : it->second.operations;
}

}  // namespace sim
