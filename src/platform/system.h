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
