// The backend behind the Win32 facade: one installed per process.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/file_system.h"
#include "platform/host_devices.h"
#include "platform/win32_types.h"

namespace platform {

class System {
  public:
    virtual ~System() = default;

    // File system: the drive letters and everything on them.
    virtual FileSystem& Files() = 0;

    // Drives and devices.
    virtual win32::DWORD GetLogicalDrives() = 0;
    virtual win32::UINT GetDriveType(const char* root) = 0;
    virtual win32::UINT SetErrorMode(win32::UINT mode) = 0;
    virtual win32::HANDLE CreateFile(const char* name, win32::DWORD access, win32::DWORD share,
                                     win32::DWORD creation, win32::DWORD flags) = 0;
    virtual bool DeviceIoControl(win32::HANDLE device, win32::DWORD code, void* in,
                                 win32::DWORD inSize, void* out, win32::DWORD outSize,
                                 win32::DWORD* returned) = 0;
    virtual bool CloseHandle(win32::HANDLE handle) = 0;

    // The set-up API's device lists (SetupDi...).
    virtual win32::HDEVINFO GetClassDevices(const win32::GUID* classGuid, const char* enumerator,
                                            win32::DWORD flags) = 0;
    virtual bool EnumDeviceInfo(win32::HDEVINFO list, win32::DWORD index,
                                win32::SP_DEVINFO_DATA* device) = 0;
    virtual bool GetDeviceRegistryProperty(win32::HDEVINFO list, win32::SP_DEVINFO_DATA* device,
                                           win32::DWORD property, win32::DWORD* dataType,
                                           win32::BYTE* buffer, win32::DWORD size,
                                           win32::DWORD* required) = 0;
    virtual bool DestroyDeviceInfoList(win32::HDEVINFO list) = 0;

    // The registry: results are Win32 error codes, not the thread's last error.
    virtual win32::LONG RegOpenKey(win32::HKEY key, const char* subKey, win32::HKEY* result) = 0;
    virtual win32::LONG RegEnumKey(win32::HKEY key, win32::DWORD index, char* name,
                                   win32::DWORD* nameSize) = 0;
    virtual win32::LONG RegQueryValue(win32::HKEY key, const char* name, win32::DWORD* type,
                                      win32::BYTE* data, win32::DWORD* size) = 0;
    virtual win32::LONG RegCloseKey(win32::HKEY key) = 0;

    // Libraries.
    virtual win32::HMODULE LoadLibrary(const char* name) = 0;
    virtual win32::FARPROC GetProcAddress(win32::HMODULE module, const char* name) = 0;
    virtual bool FreeLibrary(win32::HMODULE module) = 0;

    // Events; CloseHandle closes them.
    virtual win32::HANDLE CreateEvent(bool manualReset, bool initialState, const char* name) = 0;
    virtual bool SetEvent(win32::HANDLE event) = 0;
    virtual bool ResetEvent(win32::HANDLE event) = 0;
    virtual win32::DWORD WaitForSingleObject(win32::HANDLE object, win32::DWORD milliseconds) = 0;

    // Local memory (fixed blocks only).
    virtual win32::HLOCAL LocalAlloc(win32::UINT flags, win32::SIZE_T bytes) = 0;
    virtual win32::HLOCAL LocalFree(win32::HLOCAL memory) = 0;

    // Process facts.
    virtual bool GetVersionEx(win32::OSVERSIONINFOA* info) = 0;
    virtual std::string ModuleFileName() = 0;
    virtual win32::SYSTEMTIME LocalTime() = 0;
    virtual void Sleep(win32::DWORD milliseconds) = 0;
    virtual void OutputDebugString(const char* text) = 0;
    virtual void WriteStandardOutput(const std::string& text) = 0;

    // The real devices behind the drive letters; none on a simulated computer.
    virtual HostDevices* Devices() { return nullptr; }
};

// The installed backend; the host's own when none was installed.
System& Current();

// Installs a backend for the lifetime of the guard (tests, the simulated demo).
class ScopedSystem {
  public:
    explicit ScopedSystem(System& system);
    ~ScopedSystem();
    ScopedSystem(const ScopedSystem&) = delete;
    ScopedSystem& operator=(const ScopedSystem&) = delete;

  private:
    System* previous_;
};

}  // namespace platform
