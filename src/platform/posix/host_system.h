// The Linux host as a Windows NT 5.1 machine: drive Z: is "/", and each mounted removable
// volume gets a drive letter from D: on, whose "\\.\X:" answers the NT-family control requests
// from sysfs and SG_IO.
#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/event_table.h"
#include "platform/posix/drive_letters.h"
#include "platform/posix/mount_watch.h"
#include "platform/posix/removable_volumes.h"
#include "platform/posix/scsi_commands.h"
#include "platform/system.h"

namespace platform::posix {

// Where the host keeps the facts about its volumes; a test points these at a fixture tree.
struct HostPaths {
    std::string mountInfo = "/proc/self/mountinfo";
    std::string sysfs = "/sys";
};

class HostSystem : public System, public DriveMap, public HostDevices {
  public:
    HostSystem();
    HostSystem(HostPaths paths, std::unique_ptr<ScsiCommands> scsi);

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
    HostDevices* Devices() override { return this; }

    // DriveMap
    bool EnterDrive(char letter, std::string& hostRoot) override;
    bool DriveReachable(char letter) override;
    std::string CurrentDirectory() override;

    // HostDevices
    std::string VolumeNode(char letter) override;
    std::vector<std::string> TakeDeviceNotices() override;
    std::string VolumeTableFile() override { return paths_.mountInfo; }

    // The program file GetModuleFileName names, a host path, in place of the running one:
    // the installation folder is found by it.
    void SetProgramFile(std::string hostPath);
    // Windows 98/Me services (host_services.cpp): the host has no set-up API, registry or
    // SCSI manager; it has events and memory.
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

    // A host path as a Windows path on drive Z:.
    static std::string WindowsPathOf(const std::string& hostPath);

  private:
    struct OpenVolume {
        char letter;
        unsigned major, minor;  // the volume the handle was opened on
    };

    // Re-reads the volumes when the mount table changed; the caller holds mutex_.
    void RefreshVolumes();
    const RemovableVolume* VolumeOn(char letter);
    void NoteOpenFailure(char letter, const std::string& node, int error);

    HostPaths paths_;
    std::unique_ptr<ScsiCommands> scsi_;
    std::unique_ptr<FileSystem> files_;
    std::atomic<win32::UINT> errorMode_{0};
    std::string programFile_;

    std::mutex mutex_;
    MountWatch mountWatch_;
    DriveLetters letters_;
    std::map<char, RemovableVolume> volumes_;
    std::uintptr_t nextHandle_ = 0x50000000;
    std::map<win32::HANDLE, OpenVolume> handles_;
    std::vector<std::string> notices_;
    std::set<std::string> noticed_;
    EventTable events_{true};
};

// The host's local time, as GetLocalTime gives it.
win32::SYSTEMTIME HostLocalTime();

}  // namespace platform::posix
