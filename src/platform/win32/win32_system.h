// The real Windows computer: every call goes to the Win32 API. Its drive letters are the
// real ones, each its own root, reached through the same file-system core as the simulated
// drives, so paths stay beneath the drive they name.
#pragma once

#include <memory>

#include "platform/system.h"

namespace platform::windows {

class Win32System : public System, public DriveMap {
  public:
    Win32System();

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

    // DriveMap: each letter is its own root; the real API tells what is missing.
    bool EnterDrive(char letter, std::string& hostRoot) override;
    bool DriveReachable(char letter) override;
    std::string CurrentDirectory() override;

  private:
    std::unique_ptr<FileSystem> files_;
};

}  // namespace platform::windows
