// The real Windows computer: every call goes to the Win32 API. Its drive letters are the
// real ones, each its own root, reached through the same file-system core as the simulated
// drives, so paths stay beneath the drive they name.
#pragma once

#include <memory>

#include "platform/host_devices.h"
#include "platform/system.h"

namespace platform::windows {

class Win32System : public System, public DriveMap, public HostDevices {
  public:
    Win32System();

    // The program file GetModuleFileNameA names instead of this process's own (a Windows
    // path), so the installation folder can be another than the program's.
    void SetProgramFile(std::string windowsPath) { programFile_ = std::move(windowsPath); }

    FileSystem& Files() override { return *files_; }
    win32::DWORD GetLogicalDrives() override;
    win32::UINT GetDriveType(const char* root) override;
    win32::UINT SetErrorMode(win32::UINT mode) override;
    win32::HANDLE CreateFile(const char* name, win32::DWORD access, win32::DWORD share,
                             win32::DWORD creation, win32::DWORD flags) override;
    bool DeviceIoControl(win32::HANDLE device, win32::DWORD code, void* in, win32::DWORD inSize,
                         void* out, win32::DWORD outSize, win32::DWORD* returned) override;
    bool CloseHandle(win32::HANDLE handle) override;

    // The Windows 98/Me services (win32_services.cpp).
    win32::HDEVINFO GetClassDevices(const win32::GUID* classGuid, const char* enumerator,
                                    win32::DWORD flags) override;
    bool EnumDeviceInfo(win32::HDEVINFO list, win32::DWORD index,
                        win32::SP_DEVINFO_DATA* device) override;
    bool GetDeviceRegistryProperty(win32::HDEVINFO list, win32::SP_DEVINFO_DATA* device,
                                   win32::DWORD property, win32::DWORD* dataType,
                                   win32::BYTE* buffer, win32::DWORD size,
                                   win32::DWORD* required) override;
    bool DestroyDeviceInfoList(win32::HDEVINFO list) override;
    win32::LONG RegOpenKey(win32::HKEY key, const char* subKey, win32::HKEY* result) override;
    win32::LONG RegEnumKey(win32::HKEY key, win32::DWORD index, char* name,
                           win32::DWORD* nameSize) override;
    win32::LONG RegQueryValue(win32::HKEY key, const char* name, win32::DWORD* type,
                              win32::BYTE* data, win32::DWORD* size) override;
    win32::LONG RegCloseKey(win32::HKEY key) override;
    win32::HMODULE LoadLibrary(const char* name) override;
    win32::FARPROC GetProcAddress(win32::HMODULE module, const char* name) override;
    bool FreeLibrary(win32::HMODULE module) override;
    win32::HANDLE CreateEvent(bool manualReset, bool initialState, const char* name) override;
    bool SetEvent(win32::HANDLE event) override;
    bool ResetEvent(win32::HANDLE event) override;
    win32::DWORD WaitForSingleObject(win32::HANDLE object, win32::DWORD milliseconds) override;
    win32::HLOCAL LocalAlloc(win32::UINT flags, win32::SIZE_T bytes) override;
    win32::HLOCAL LocalFree(win32::HLOCAL memory) override;

    bool GetVersionEx(win32::OSVERSIONINFOA* info) override;
    std::string ModuleFileName() override;
    win32::SYSTEMTIME LocalTime() override;
    void Sleep(win32::DWORD milliseconds) override;
    void OutputDebugString(const char* text) override;
    void WriteStandardOutput(const std::string& text) override;

    // HostDevices: a removable drive's volume is released by its device name "\\.\E:".
    HostDevices* Devices() override { return this; }
    std::string VolumeNode(char letter) override;
    std::vector<std::string> TakeDeviceNotices() override { return {}; }
    std::string VolumeTableFile() override { return {}; }

    // DriveMap: each letter is its own root; the real API tells what is missing.
    bool EnterDrive(char letter, std::string& hostRoot) override;
    bool DriveReachable(char letter) override;
    std::string CurrentDirectory() override;

  private:
    std::unique_ptr<FileSystem> files_;
    std::string programFile_;
};

}  // namespace platform::windows
