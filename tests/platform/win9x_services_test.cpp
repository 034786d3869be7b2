// The Windows 98/Me services of the simulated machine (registry, set-up API, events, local
// memory, the SCSI manager library) and what the Linux host answers in their place.
#include <cstring>

#include "platform/aspi32.h"
#include "platform/sim/machine.h"
#include "platform/win32.h"
#include "support/sim_fixture.h"

namespace {

using namespace win32;
using Bytes = std::vector<std::uint8_t>;

class SimServices : public test::SimFixture {};

TEST_F(SimServices, TheRegistryOpensPathsWithoutRegardToCaseAndWalksSubkeysInOrder) {
    sim::RegistryKey& device = machine_.LocalMachineKey().MakeSubkey("ENUM\\SCSI\\Dev");
    device.MakeSubkey("0001").SetValue("Int13", {REG_BINARY, {0x01, 0x02}});
    device.MakeSubkey("Instance-With-A-Long-Name");

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "enum\\scsi\\DEV", &key), 0);
    char name[260];
    DWORD size = sizeof name;
    ASSERT_EQ(RegEnumKeyExA(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr), 0);
    EXPECT_STREQ(name, "0001");
    EXPECT_EQ(size, 4u);
    size = 10;  // the name and its terminator must fit
    EXPECT_EQ(RegEnumKeyExA(key, 1, name, &size, nullptr, nullptr, nullptr, nullptr),
              static_cast<LONG>(ERROR_MORE_DATA));
    size = sizeof name;
    EXPECT_EQ(RegEnumKeyExA(key, 2, name, &size, nullptr, nullptr, nullptr, nullptr),
              static_cast<LONG>(ERROR_NO_MORE_ITEMS));

    HKEY instance = nullptr;
    ASSERT_EQ(RegOpenKeyA(key, "0001", &instance), 0);
    BYTE data[4] = {};
    DWORD type = 0;
    size = 1;
    EXPECT_EQ(RegQueryValueExA(instance, "int13", nullptr, &type, data, &size),
              static_cast<LONG>(ERROR_MORE_DATA));
    EXPECT_EQ(size, 2u);
    size = sizeof data;
    ASSERT_EQ(RegQueryValueExA(instance, "Int13", nullptr, &type, data, &size), 0);
    EXPECT_EQ(type, REG_BINARY);
    EXPECT_EQ(Bytes(data, data + size), (Bytes{0x01, 0x02}));
    EXPECT_EQ(RegQueryValueExA(instance, "PModeInt13", nullptr, nullptr, data, &size),
              static_cast<LONG>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(RegOpenKeyA(key, "0002", &instance), static_cast<LONG>(ERROR_FILE_NOT_FOUND));

    EXPECT_EQ(RegCloseKey(instance), 0);
    EXPECT_EQ(RegCloseKey(instance), static_cast<LONG>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(RegQueryValueExA(instance, "Int13", nullptr, nullptr, data, &size),
              static_cast<LONG>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(RegCloseKey(key), 0);
    EXPECT_EQ(RegCloseKey(HKEY_LOCAL_MACHINE), 0);
}

TEST_F(SimServices, TheSetupApiListsTheDiskDrivesWithTheirProperties) {
    sim::DiskDrive drive;
    drive.hardwareId = "Velmora ZJ-20           1.00";
    machine_.DiskDrives().devices = {drive, sim::DiskDrive{}};
    HDEVINFO list = SetupDiGetClassDevsA(&GUID_DEVCLASS_DISKDRIVE, nullptr, nullptr, DIGCF_PRESENT);
    ASSERT_NE(list, INVALID_HANDLE_VALUE);

    SP_DEVINFO_DATA device{};
    EXPECT_FALSE(SetupDiEnumDeviceInfo(list, 0, &device));  // its size must be set
    EXPECT_EQ(GetLastError(), ERROR_INVALID_USER_BUFFER);
    device.cbSize = sizeof device;
    ASSERT_TRUE(SetupDiEnumDeviceInfo(list, 0, &device));
    EXPECT_TRUE(device.ClassGuid == GUID_DEVCLASS_DISKDRIVE);

    BYTE buffer[64];
    DWORD required = 0;
    DWORD type = 0;
    EXPECT_FALSE(SetupDiGetDeviceRegistryPropertyA(list, &device, SPDRP_HARDWAREID, &type, buffer,
                                                   29, &required));
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(required, 30u);  // the text, its terminator and the list's empty text
    ASSERT_TRUE(SetupDiGetDeviceRegistryPropertyA(list, &device, SPDRP_HARDWAREID, &type, buffer,
                                                  sizeof buffer, &required));
    EXPECT_EQ(type, REG_MULTI_SZ);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 30),
              std::string("Velmora ZJ-20           1.00\0\0", 30));
    EXPECT_FALSE(SetupDiGetDeviceRegistryPropertyA(list, &device, SPDRP_DEVICEDESC, &type, buffer,
                                                   sizeof buffer, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_DATA);  // a property the device lacks

    ASSERT_TRUE(SetupDiEnumDeviceInfo(list, 1, &device));
    EXPECT_FALSE(SetupDiGetDeviceRegistryPropertyA(list, &device, SPDRP_HARDWAREID, &type, buffer,
                                                   sizeof buffer, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_DATA);
    EXPECT_FALSE(SetupDiEnumDeviceInfo(list, 2, &device));
    EXPECT_EQ(GetLastError(), ERROR_NO_MORE_ITEMS);
    EXPECT_TRUE(SetupDiDestroyDeviceInfoList(list));
    EXPECT_FALSE(SetupDiDestroyDeviceInfoList(list));
    EXPECT_FALSE(SetupDiEnumDeviceInfo(list, 0, &device));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);

    const GUID otherClass = {
        0x4D36E965, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};
    list = SetupDiGetClassDevsA(&otherClass, nullptr, nullptr, DIGCF_PRESENT);
    EXPECT_FALSE(SetupDiEnumDeviceInfo(list, 0, &device));
    EXPECT_EQ(GetLastError(), ERROR_NO_MORE_ITEMS);
    SetupDiDestroyDeviceInfoList(list);
    machine_.DiskDrives().fails = true;
    EXPECT_EQ(SetupDiGetClassDevsA(&GUID_DEVCLASS_DISKDRIVE, nullptr, nullptr, DIGCF_PRESENT),
              INVALID_HANDLE_VALUE);
}

TEST_F(SimServices, EventsAreSignalledResetAndWaitedForOnTheVirtualClock) {
    HANDLE manual = CreateEventA(nullptr, TRUE, TRUE, nullptr);
    HANDLE automatic = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    ASSERT_NE(manual, nullptr);
    EXPECT_EQ(WaitForSingleObject(manual, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);  // stays signalled
    EXPECT_TRUE(ResetEvent(manual));
    EXPECT_EQ(WaitForSingleObject(manual, 250), WAIT_TIMEOUT);
    EXPECT_EQ(machine_.TotalSleptMilliseconds(), 250u);
    EXPECT_EQ(WaitForSingleObject(manual, INFINITE), WAIT_FAILED);  // nothing could signal it
    EXPECT_EQ(GetLastError(), ERROR_POSSIBLE_DEADLOCK);

    EXPECT_TRUE(SetEvent(automatic));
    EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_TIMEOUT);  // the wait reset it

    EXPECT_TRUE(CloseHandle(manual));
    EXPECT_FALSE(CloseHandle(manual));
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(ResetEvent(manual));
    EXPECT_EQ(CreateEventA(nullptr, TRUE, FALSE, "Global\\Named"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_NOT_SUPPORTED);
    EXPECT_TRUE(CloseHandle(automatic));
}

TEST_F(SimServices, LocalMemoryIsZeroedTrackedAndCanRunOut) {
    auto* block = static_cast<std::uint8_t*>(LocalAlloc(LPTR, 104));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(Bytes(block, block + 104), Bytes(104, 0));
    EXPECT_EQ(machine_.LiveLocalBlocks(), 1u);
    std::uint8_t other = 0;
    EXPECT_EQ(LocalFree(&other), &other);  // not a block of this machine
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(LocalFree(block), nullptr);
    EXPECT_EQ(machine_.LiveLocalBlocks(), 0u);
    EXPECT_EQ(LocalFree(nullptr), nullptr);

    EXPECT_EQ(LocalAlloc(LMEM_MOVEABLE, 8), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    machine_.FailLocalAllocAt(2);
    HLOCAL first = LocalAlloc(LPTR, 8);
    EXPECT_NE(first, nullptr);
    EXPECT_EQ(LocalAlloc(LPTR, 8), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_NOT_ENOUGH_MEMORY);
    HLOCAL third = LocalAlloc(LPTR, 8);
    EXPECT_NE(third, nullptr);
    LocalFree(first);
    LocalFree(third);
}

TEST_F(SimServices, TheScsiManagerLoadsOnlyWhereItIsInstalled) {
    EXPECT_EQ(LoadLibraryA("WNASPI32.DLL"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
    sim::ScsiManager manager;
    manager.adapters.resize(3);
    machine_.SetScsiManager(manager);
    EXPECT_EQ(LoadLibraryA("KERNEL32.DLL"), nullptr);
    HMODULE module = LoadLibraryA("wnaspi32");
    ASSERT_NE(module, nullptr);
    auto supportInfo = reinterpret_cast<aspi::GetSupportInfoFunction>(
        GetProcAddress(module, "GetASPI32SupportInfo"));
    ASSERT_NE(supportInfo, nullptr);
    EXPECT_EQ(supportInfo(), 0x0103u);  // SS_COMP and three host adapters
    EXPECT_EQ(GetProcAddress(module, "GetASPI32Buffer"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_EQ(GetProcAddress(module, "GetASPI32SupportInfo"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST_F(SimServices, TheVwin32DeviceIsThereOnWindows98AndMeOnly) {
    auto open = [] {
        return CreateFileA("\\\\.\\VWIN32", GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                           FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    };
    EXPECT_EQ(open(), INVALID_HANDLE_VALUE);  // Windows NT 5.1
    machine_.SetWindowsVersion(VER_PLATFORM_WIN32_WINDOWS, 4, 10);
    HANDLE vwin32 = open();
    ASSERT_NE(vwin32, INVALID_HANDLE_VALUE);
    std::uint8_t registers[28] = {};
    DWORD returned = 0;
    EXPECT_FALSE(DeviceIoControl(vwin32, 2, registers, 28, registers, 28, &returned, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_NOT_SUPPORTED);
    EXPECT_FALSE(DeviceIoControl(vwin32, 1, registers, 27, registers, 28, &returned, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_TRUE(CloseHandle(vwin32));
    EXPECT_EQ(machine_.ServiceCalls(),
              (std::vector<std::string>{"CreateFileA \\\\.\\VWIN32", "CreateFileA \\\\.\\VWIN32",
                                        "VWIN32 code 2", "VWIN32 malformed register block",
                                        "CloseHandle \\\\.\\VWIN32"}));
}

TEST_F(SimServices, DiagnosticsKeepTheOrderOfBothChannels) {
    platform::Current().WriteStandardOutput("one\n");
    OutputDebugStringA("two\n");
    platform::Current().WriteStandardOutput("three\n");
    using Channel = sim::Diagnostic::Channel;
    EXPECT_EQ(machine_.Diagnostics(),
              (std::vector<sim::Diagnostic>{{Channel::StandardOutput, "one\n"},
                                            {Channel::Debugger, "two\n"},
                                            {Channel::StandardOutput, "three\n"}}));
}

// With nothing installed, the facade reaches the Linux host.
TEST(HostServices, TheHostHasNoWindows98ServicesButEventsAndMemory) {
    EXPECT_EQ(SetupDiGetClassDevsA(&GUID_DEVCLASS_DISKDRIVE, nullptr, nullptr, DIGCF_PRESENT),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_CALL_NOT_IMPLEMENTED);
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "ENUM\\SCSI", &key),
              static_cast<LONG>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(LoadLibraryA("WNASPI32.DLL"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
    EXPECT_EQ(CreateFileA("\\\\.\\VWIN32", GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                          FILE_FLAG_DELETE_ON_CLOSE, nullptr),
              INVALID_HANDLE_VALUE);

    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
    EXPECT_TRUE(SetEvent(event));
    EXPECT_EQ(WaitForSingleObject(event, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
    EXPECT_TRUE(CloseHandle(event));
    EXPECT_FALSE(CloseHandle(event));

    auto* block = static_cast<std::uint8_t*>(LocalAlloc(LPTR, 64));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(Bytes(block, block + 64), Bytes(64, 0));
    EXPECT_EQ(LocalFree(block), nullptr);
}

}  // namespace
