// A simulated computer for tests and the demo: drive letters backed by host folders, drive
// types, media, free space, unplugging, SCSI identities, the Windows version and a virtual
// clock. Every call is recorded where a test needs to see it.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/system.h"

namespace sim {

using win32::DWORD;
using win32::UINT;

struct Inquiry {
    std::string vendor;    // 8 characters, blank-padded; empty: the descriptor has none
    std::string product;   // 16 characters, blank-padded
    std::string revision;  // 4 characters, blank-padded
};

struct Drive {
    UINT type = win32::DRIVE_FIXED;
    std::optional<std::string> folder;  // host folder of the root; none: no medium
    bool present = true;                // false: unplugged, every path on it fails
    std::optional<std::uint64_t> freeBytes;
    unsigned unplugAfterOps = 0;       // n > 0: unplugged after its n-th file-system operation
    unsigned failWriteAtOp = 0;        // n > 0: its n-th file-system operation fails, as a write
    std::uint64_t killAfterBytes = 0;  // n > 0: the process is killed once n bytes were copied
    unsigned operations = 0;           // file-system operations so far
    std::uint64_t bytesCopied = 0;     // file content copied onto it so far
    std::optional<Inquiry> inquiry;    // none: the volume refuses control requests
    std::optional<std::vector<std::uint8_t>> vpd80;  // raw page 80h answer; none: fails
    std::optional<std::vector<std::uint8_t>> vpdC0;  // raw page C0h answer; none: fails
};

struct HandleOpen {
    std::string name;
    DWORD access;
    DWORD share;
    DWORD creation;
    DWORD flags;
};

struct DeviceRequest {
    std::string name;  // the device the handle was opened on
    DWORD code;
    std::vector<std::uint8_t> input;
};

class Machine : public platform::System, public platform::DriveMap {
  public:
    Machine();
    ~Machine() override;

    // Configuration (before the machine is used from several threads).
    Drive& AddDrive(char letter, UINT type, std::optional<std::string> hostFolder);
    Drive* FindDrive(char letter);
    void SetWindowsVersion(DWORD platformId, DWORD major, DWORD minor);
    void SetProgram(std::string windowsPath) { program_ = std::move(windowsPath); }
    void SetLocalTime(const win32::SYSTEMTIME& time) { localTime_ = time; }
    void SetCurrentDirectory(std::string windowsPath) {
        currentDirectory_ = std::move(windowsPath);
    }
    void SetVersionQueryFails(bool fails) { versionQueryFails_ = fails; }

    void Unplug(char letter);

    // What happened.
    std::uint64_t TotalSleptMilliseconds() const;
    std::vector<UINT> ErrorModes() const;
    std::vector<std::string> DebugOutput() const;
    std::vector<std::string> StandardOutput() const;
    std::vector<HandleOpen> HandleOpens() const;
    std::vector<DeviceRequest> DeviceRequests() const;
    unsigned OperationsOn(char letter) const;

    // platform::System
    platform::FileSystem& Files() override { return *files_; }
    DWORD GetLogicalDrives() override;
    UINT GetDriveType(const char* root) override;
    UINT SetErrorMode(UINT mode) override;
    win32::HANDLE CreateFile(const char* name, DWORD access, DWORD share, DWORD creation,
                             DWORD flags) override;
    bool DeviceIoControl(win32::HANDLE device, DWORD code, void* in, DWORD inSize, void* out,
                         DWORD outSize, DWORD* returned) override;
    bool CloseHandle(win32::HANDLE handle) override;
    bool GetVersionEx(win32::OSVERSIONINFOA* info) override;
    std::string ModuleFileName() override;
    win32::SYSTEMTIME LocalTime() override;
    void Sleep(DWORD milliseconds) override;
    void OutputDebugString(const char* text) override;
    void WriteStandardOutput(const std::string& text) override;

    // platform::DriveMap
    bool EnterDrive(char letter, std::string& hostRoot) override;
    bool DriveReachable(char letter) override;
    std::string CurrentDirectory() override;
    bool FreeSpaceOverride(char letter, std::uint64_t& freeBytes) override;
    void ContentWritten(char letter, std::uint64_t bytes) override;

  protected:
    // Answers one control request on a volume "\\.\X:" (the storage property query and the
    // SCSI pass-through, volume_requests.cpp); the drive's lock is held.
    virtual bool AnswerVolumeRequest(Drive& drive, DWORD code, void* in, DWORD inSize, void* out,
                                     DWORD outSize, DWORD* returned);

  private:
    struct OpenDevice {
        std::string name;
        char drive;  // 0 for a device that is not a volume
    };

    std::unique_ptr<platform::FileSystem> files_;
    mutable std::mutex mutex_;
    std::uintptr_t nextDevice_ = 0x40000000;
    std::map<char, Drive> drives_;
    win32::OSVERSIONINFOA version_{};
    bool versionQueryFails_ = false;
    std::string program_ = "C:\\Program Files\\Zarn\\KPZPortableDeviceSystemFileUpdater.exe";
    std::optional<win32::SYSTEMTIME> localTime_;
    std::string currentDirectory_ = "C:\\";
    UINT errorMode_ = 0;
    std::uint64_t slept_ = 0;
    std::vector<UINT> errorModes_;
    std::vector<std::string> debugOutput_;
    std::vector<std::string> standardOutput_;
    std::vector<HandleOpen> handleOpens_;
    std::vector<DeviceRequest> deviceRequests_;
    std::map<win32::HANDLE, OpenDevice> devices_;
};

}  // namespace sim
