// The Linux host as a Windows NT 5.1 machine: drive Z: is "/"; removable volumes are not
// mapped yet.
#pragma once

#include <atomic>

#include "platform/posix/posix_system.h"

namespace platform::posix {

class HostSystem : public PosixSystem {
  public:
    win32::DWORD GetLogicalDrives() override;
    win32::UINT GetDriveType(const char* root) override;
    win32::UINT SetErrorMode(win32::UINT mode) override;
    bool GetVersionEx(win32::OSVERSIONINFOA* info) override;
    std::string ModuleFileName() override;
    win32::SYSTEMTIME LocalTime() override;
    void Sleep(win32::DWORD milliseconds) override;
    void OutputDebugString(const char* text) override;
    void WriteStandardOutput(const std::string& text) override;
    bool DriveReachable(char letter) override;

    // A host path as a Windows path on drive Z:.
    static std::string WindowsPathOf(const std::string& hostPath);

  protected:
    bool EnterDrive(char letter, std::string& hostRoot) override;
    std::string CurrentDirectory() override;

  private:
    std::atomic<win32::UINT> errorMode_{0};
};

}  // namespace platform::posix
