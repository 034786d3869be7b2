#include "platform/sim/machine.h"

#include "platform/win32.h"
#include "support/sim_fixture.h"

namespace {

using namespace win32;

class SimMachine : public test::SimFixture {};

TEST_F(SimMachine, DrivesHaveTypesAndTheMaskShowsThosePresent) {
    AddDrive('E');
    AddDrive('G', DRIVE_CDROM);
    machine_.AddDrive('H', DRIVE_REMOVABLE, std::nullopt);
    EXPECT_EQ(GetLogicalDrives(), (1u << 2) | (1u << 4) | (1u << 6) | (1u << 7));
    EXPECT_EQ(GetDriveTypeA("C:\\"), DRIVE_FIXED);
    EXPECT_EQ(GetDriveTypeA("e:\\"), DRIVE_REMOVABLE);
    EXPECT_EQ(GetDriveTypeA("G:\\"), DRIVE_CDROM);
    EXPECT_EQ(GetDriveTypeA("Q:\\"), DRIVE_NO_ROOT_DIR);
    machine_.Unplug('E');
    EXPECT_EQ(GetLogicalDrives(), (1u << 2) | (1u << 6) | (1u << 7));
    EXPECT_EQ(GetDriveTypeA("E:\\"), DRIVE_NO_ROOT_DIR);
}

TEST_F(SimMachine, AnUnpluggedDriveFailsEveryPath) {
    AddDrive('E').present = false;
    ULARGE_INTEGER free{};
    EXPECT_EQ(GetFileAttributesA("E:\\."), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(GetDiskFreeSpaceExA("E:\\.", &free, nullptr, nullptr));
    EXPECT_FALSE(CreateDirectoryA("E:\\System", nullptr));
    EXPECT_EQ(CreateFileA("\\\\.\\E:", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr),
              INVALID_HANDLE_VALUE);
}

TEST_F(SimMachine, ADriveWithoutMediumIsNotReady) {
    machine_.AddDrive('E', DRIVE_REMOVABLE, std::nullopt);
    EXPECT_EQ(GetFileAttributesA("E:\\."), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), ERROR_NOT_READY);
    EXPECT_EQ(GetDriveTypeA("E:\\"), DRIVE_REMOVABLE);
}

TEST_F(SimMachine, UnplugsAfterTheGivenNumberOfOperations) {
    AddDrive('E').unplugAfterOps = 3;
    EXPECT_TRUE(CreateDirectoryA("E:\\A", nullptr));
    EXPECT_TRUE(CreateDirectoryA("E:\\B", nullptr));
    EXPECT_NE(GetFileAttributesA("E:\\A"), INVALID_FILE_ATTRIBUTES);  // the third still works
    EXPECT_EQ(GetFileAttributesA("E:\\A"), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(machine_.FindDrive('E')->present);
    EXPECT_EQ(machine_.OperationsOn('E'), 3u);
}

TEST_F(SimMachine, ProcessFactsComeFromTheMachine) {
    machine_.SetWindowsVersion(VER_PLATFORM_WIN32_WINDOWS, 4, 90);
    machine_.SetProgram("C:\\Zarn\\KPZPortableDeviceSystemFileUpdater.exe");
    machine_.SetLocalTime(SYSTEMTIME{2026, 12, 2, 8, 9, 5, 7, 0});

    OSVERSIONINFOA info{};
    EXPECT_FALSE(GetVersionExA(&info));  // the size must be set
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(GetVersionExA(&info));
    EXPECT_EQ(info.dwPlatformId, VER_PLATFORM_WIN32_WINDOWS);
    EXPECT_EQ(info.dwMajorVersion, 4u);
    EXPECT_EQ(info.dwMinorVersion, 90u);

    char path[MAX_PATH];
    EXPECT_EQ(GetModuleFileNameA(nullptr, path, MAX_PATH), 46u);
    EXPECT_STREQ(path, "C:\\Zarn\\KPZPortableDeviceSystemFileUpdater.exe");
    char small[8];
    EXPECT_EQ(GetModuleFileNameA(nullptr, small, sizeof small), 8u);
    EXPECT_STREQ(small, "C:\\Zarn");

    SYSTEMTIME time{};
    GetLocalTime(&time);
    EXPECT_EQ(time.wHour, 9);
    EXPECT_EQ(time.wMinute, 5);
    EXPECT_EQ(time.wSecond, 7);
}

TEST_F(SimMachine, SleepAdvancesAVirtualClock) {
    Sleep(500);
    Sleep(500);
    Sleep(250);
    EXPECT_EQ(machine_.TotalSleptMilliseconds(), 1250u);
}

TEST_F(SimMachine, RecordsErrorModesDiagnosticsAndVolumeOpens) {
    AddDrive('E');
    EXPECT_EQ(SetErrorMode(SEM_FAILCRITICALERRORS), 0u);
    EXPECT_EQ(SetErrorMode(0), SEM_FAILCRITICALERRORS);
    EXPECT_EQ(machine_.ErrorModes(), (std::vector<UINT>{SEM_FAILCRITICALERRORS, 0}));

    OutputDebugStringA("No key\n");
    platform::Current().WriteStandardOutput("Sending Inquiry\n");
    EXPECT_EQ(machine_.DebugOutput(), std::vector<std::string>{"No key\n"});
    EXPECT_EQ(machine_.StandardOutput(), std::vector<std::string>{"Sending Inquiry\n"});

    HANDLE volume =
        CreateFileA("\\\\.\\E:", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(volume, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(CloseHandle(volume));
    EXPECT_FALSE(CloseHandle(volume));
    EXPECT_EQ(CreateFileA("\\\\.\\Q:", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr),
              INVALID_HANDLE_VALUE);
    const auto opens = machine_.HandleOpens();
    ASSERT_EQ(opens.size(), 2u);
    EXPECT_EQ(opens[0].name, "\\\\.\\E:");
    EXPECT_EQ(opens[0].access, GENERIC_READ | GENERIC_WRITE);
    EXPECT_EQ(opens[0].share, FILE_SHARE_READ | FILE_SHARE_WRITE);
    EXPECT_EQ(opens[0].creation, OPEN_EXISTING);
    EXPECT_EQ(opens[1].name, "\\\\.\\Q:");
}

TEST(ScopedSystem, RestoresThePreviousBackend) {
    platform::System& host = platform::Current();
    {
        sim::Machine machine;
        platform::ScopedSystem guard(machine);
        EXPECT_EQ(&platform::Current(), &machine);
    }
    EXPECT_EQ(&platform::Current(), &host);
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(GetVersionExA(&info));
    EXPECT_EQ(info.dwPlatformId, VER_PLATFORM_WIN32_NT);
#ifdef _WIN32
    // The real computer: its own version, and its system drive among its drives.
    EXPECT_GE(info.dwMajorVersion, 5u);
    EXPECT_NE(GetLogicalDrives() & (1u << ('C' - 'A')), 0u);
    EXPECT_EQ(GetDriveTypeA("C:\\"), DRIVE_FIXED);
#else
    // Linux reports itself as Windows NT 5.1, its root file system as Z:.
    EXPECT_EQ(info.dwMajorVersion, 5u);
    EXPECT_EQ(info.dwMinorVersion, 1u);
    EXPECT_EQ(GetLogicalDrives(), 1u << ('Z' - 'A'));
    EXPECT_EQ(GetDriveTypeA("Z:\\"), DRIVE_FIXED);
#endif
}

}  // namespace
