// The Linux host as a Windows NT 5.1 machine: drive Z: is "/"; removable volumes are not
// mapped yet.
#pragma once

#include <atomic>
#include <memory>

#include "platform/system.h"

namespace platform::posix {

class HostSystem : public System, public DriveMap {
  public:
    HostSystem();

    FileSystem& Files() override { return *files_; }
    win32::DWORD GetLogicalDrives() override;
    win32::UINT GetDriveType(const char* root) override;
    win32::UINT SetErrorMode(win32::UINT mode) override;
    win32::HANDLE CreateFile(const char* name, win32::DWORD access, win32::DWORD share,
                             win32::DWORD creation, win32::DWORD flags) override;
    bool DeviceIoControl(win32::HANDLE device, win32::DWORD code, void* in, win32::DWORD inSize,
                         void* out, win32::DWORD outSize, win32::DWORD* returned) override;
    bool CloseHandle(win32::HANDLE handle) override;
    bool GetVersionEx(win32::OSVERSIONINFOA* info) override;
    std::string ModuleFileName() override;
    win32::SYSTEMTIME LocalTime() override;
    void Sleep(win32::DWORD milliseconds) override;
    void OutputDebugString(const char* text) override;
    void WriteStandardOutput(const std::string& text) override;

    // DriveMap
    bool EnterDrive(char letter, std::string& hostRoot) override;
    bool DriveReachable(char letter) override;
    std::string CurrentDirectory() override;

    // A host path as a Windows path on drive Z:.
    static std::string WindowsPathOf(const std::string& hostPath);

  private:
    std::unique_ptr<FileSystem> files_;
    std::atomic<win32::UINT> errorMode_{0};
};

// The host's local time, as GetLocalTime gives it.
win32::SYSTEMTIME HostLocalTime();

}  // namespace platform::posix
