// A simulated computer for tests and the demo: drive letters backed by host folders, drive
// types, media, free space, unplugging, SCSI identities, the Windows version, a virtual clock
// and the Windows 98/Me services. Every call is recorded where a test needs to see it.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/event_table.h"
#include "platform/sim/win9x_services.h"
#include "platform/system.h"

namespace sim {

using win32::DWORD;
using win32::UINT;

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
    BlockDriver blockDriver;                         // the Windows 98/Me block-device driver
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

    // The Windows 98/Me services (configured before use, like the drives).
    DiskDriveList& DiskDrives() { return diskDrives_; }
    RegistryKey& LocalMachineKey() { return registry_; }
    // None: "WNASPI32.DLL" does not load.
    void SetScsiManager(std::optional<ScsiManager> manager);
    // The n-th LocalAlloc from now on fails (n > 0), as when memory is exhausted.
    void FailLocalAllocAt(unsigned n);

    // What happened.
    std::uint64_t TotalSleptMilliseconds() const;
    std::vector<UINT> ErrorModes() const;
    std::vector<std::string> DebugOutput() const;
    std::vector<std::string> StandardOutput() const;
    std::vector<HandleOpen> HandleOpens() const;
    std::vector<DeviceRequest> DeviceRequests() const;
    unsigned OperationsOn(char letter) const;
    // Both diagnostic channels in the order written.
    std::vector<Diagnostic> Diagnostics() const;
    // The Windows 98/Me service calls in order, each starting with the call's name.
    std::vector<std::string> ServiceCalls() const;
    std::vector<Vwin32Request> Vwin32Requests() const;
    std::vector<std::vector<std::uint8_t>> AspiRequests() const;  // the 80-byte blocks
    std::size_t LiveLocalBlocks() const;

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

    // The set-up API (setup_api.cpp).
    win32::HDEVINFO GetClassDevices(const win32::GUID* classGuid, const char* enumerator,
                                    DWORD flags) override;
    bool EnumDeviceInfo(win32::HDEVINFO list, DWORD index, win32::SP_DEVINFO_DATA* device) override;
    bool GetDeviceRegistryProperty(win32::HDEVINFO list, win32::SP_DEVINFO_DATA* device,
                                   DWORD property, DWORD* dataType, win32::BYTE* buffer, DWORD size,
                                   DWORD* required) override;
    bool DestroyDeviceInfoList(win32::HDEVINFO list) override;

    // The registry (registry.cpp).
    win32::LONG RegOpenKey(win32::HKEY key, const char* subKey, win32::HKEY* result) override;
    win32::LONG RegEnumKey(win32::HKEY key, DWORD index, char* name, DWORD* nameSize) override;
    win32::LONG RegQueryValue(win32::HKEY key, const char* name, DWORD* type, win32::BYTE* data,
                              DWORD* size) override;
    win32::LONG RegCloseKey(win32::HKEY key) override;

    // The SCSI manager library (scsi_manager.cpp).
    win32::HMODULE LoadLibrary(const char* name) override;
    win32::FARPROC GetProcAddress(win32::HMODULE module, const char* name) override;
    bool FreeLibrary(win32::HMODULE module) override;
    // What its two entry points do on this machine.
    DWORD AspiSupportInfo();
    DWORD AspiSendCommand(void* requestBlock);

    // Events and local memory (kernel_objects.cpp).
    win32::HANDLE CreateEvent(bool manualReset, bool initialState, const char* name) override;
    bool SetEvent(win32::HANDLE event) override;
    bool ResetEvent(win32::HANDLE event) override;
    DWORD WaitForSingleObject(win32::HANDLE object, DWORD milliseconds) override;
    win32::HLOCAL LocalAlloc(UINT flags, win32::SIZE_T bytes) override;
    win32::HLOCAL LocalFree(win32::HLOCAL memory) override;

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

    // With the lock held.
    win32::HANDLE NewObjectHandle();
    void Record(std::string call);
    bool Is95Family() const;
    // VWIN32 (block_driver.cpp): one register block, answered in place.
    bool AnswerVwin32Request(DWORD code, void* in, DWORD inSize, void* out, DWORD outSize,
                             DWORD* returned);
    bool AnswerDriverPrivateRequest(std::uint8_t* registers, Vwin32Request& record);
    bool AnswerBlockPassThrough(std::uint8_t* registers, Vwin32Request& record);
    Drive* DriveOfNumber(std::uint32_t number);
    const DiskDrive* ListedDiskDrive(win32::HDEVINFO list, const win32::SP_DEVINFO_DATA* device);
    RegistryKey* OpenKey(win32::HKEY key);
    // 0 for a well-formed SCSI manager request, else the status it is refused with.
    std::uint8_t CheckAspiRequest(const std::uint8_t* block) const;

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

    DiskDriveList diskDrives_;
    RegistryKey registry_;
    std::optional<ScsiManager> scsiManager_;
    std::map<win32::HDEVINFO, std::vector<DiskDrive>> deviceLists_;
    std::map<win32::HKEY, RegistryKey*> openKeys_;
    unsigned scsiManagerLoads_ = 0;
    platform::EventTable events_{false};
    std::set<void*> localBlocks_;
    unsigned localAllocsUntilFailure_ = 0;
    std::vector<Diagnostic> diagnostics_;
    std::vector<std::string> serviceCalls_;
    std::vector<Vwin32Request> vwin32Requests_;
    std::vector<std::vector<std::uint8_t>> aspiRequests_;
};

}  // namespace sim
