// The win32 backend on the real computer (here: Wine): what a process gets when no simulated
// computer is installed. Every call reaches the real API; paths stay beneath their drive.
#include <gtest/gtest.h>

#include <string>

#include "platform/win32.h"
#include "support/temp_dir.h"

namespace {

using namespace win32;

// A Windows path for a host folder of a test ("C:/users/.../kpz-test-x" as "C:\users\...").
std::string WindowsPathOf(std::string path) {
    for (char& c : path) c = c == '/' ? '\\' : c;
    return path;
}

TEST(Win32Host, DrivesAndVersionAreTheComputers) {
    EXPECT_NE(GetLogicalDrives() & (1u << ('C' - 'A')), 0u);
    EXPECT_EQ(GetDriveTypeA("C:\\"), DRIVE_FIXED);
    EXPECT_EQ(GetDriveTypeA("Q:\\"), DRIVE_NO_ROOT_DIR);
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(GetVersionExA(&info));
    EXPECT_EQ(info.dwPlatformId, VER_PLATFORM_WIN32_NT);
    char module[MAX_PATH];
    const DWORD size = GetModuleFileNameA(nullptr, module, sizeof module);
    ASSERT_GT(size, 0u);
    EXPECT_EQ(std::string(module).substr(size - 4), ".exe");
}

TEST(Win32Host, FilesGoThroughTheCoreOnTheRealDrives) {
    test::TempDir temp;
    const std::string folder = WindowsPathOf(temp.path());
    const std::string file = folder + "\\Tune.mp3";
    test::WriteHostFile(temp.PathOf("Tune.mp3"), "tune");
    EXPECT_EQ(GetFileAttributesA((folder + "\\TUNE.MP3").c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    ASSERT_TRUE(CopyFileA(file.c_str(), (folder + "\\copy.mp3").c_str(), TRUE));
    EXPECT_EQ(test::ReadHostFile(temp.PathOf("copy.mp3")), "tune");
    EXPECT_FALSE(CopyFileA(file.c_str(), (folder + "\\copy.mp3").c_str(), TRUE));
    EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS);

    // ".." stops at the drive's root, as Windows itself has it.
    EXPECT_EQ(GetFileAttributesA("C:\\..\\..\\windows"), GetFileAttributesA("C:\\windows"));
    ULARGE_INTEGER available{}, total{}, totalFree{};
    ASSERT_TRUE(GetDiskFreeSpaceExA("C:\\", &available, &total, &totalFree));
    EXPECT_GT(total.QuadPart, 0u);
}

TEST(Win32Host, ServicesAreTheRealOnes) {
    HKEY software = nullptr;
    ASSERT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software", &software), LONG(ERROR_SUCCESS));
    EXPECT_EQ(RegCloseKey(software), LONG(ERROR_SUCCESS));
    EXPECT_NE(RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software\\No Such Key Of Ours", &software),
              LONG(ERROR_SUCCESS));

    const HMODULE kernel = LoadLibraryA("kernel32.dll");
    ASSERT_NE(kernel, nullptr);
    EXPECT_NE(GetProcAddress(kernel, "GetTickCount"), nullptr);
    EXPECT_EQ(GetProcAddress(kernel, "NoSuchFunctionOfOurs"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
    EXPECT_TRUE(FreeLibrary(kernel));
    EXPECT_EQ(LoadLibraryA("no-such-library-of-ours.dll"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);

    const HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
    EXPECT_TRUE(SetEvent(event));
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
    EXPECT_TRUE(CloseHandle(event));

    const HLOCAL memory = LocalAlloc(LPTR, 64);
    ASSERT_NE(memory, nullptr);
    EXPECT_EQ(static_cast<const char*>(memory)[63], 0);
    EXPECT_EQ(LocalFree(memory), nullptr);

    const HDEVINFO disks =
        SetupDiGetClassDevsA(&GUID_DEVCLASS_DISKDRIVE, nullptr, nullptr, DIGCF_PRESENT);
    ASSERT_NE(disks, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(SetupDiDestroyDeviceInfoList(disks));
}

TEST(Win32Host, AVolumeThatIsNotThereCannotBeOpened) {
    const HANDLE volume = CreateFileA("\\\\.\\Q:", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(volume, INVALID_HANDLE_VALUE);
    EXPECT_NE(GetLastError(), ERROR_SUCCESS);
}

}  // namespace
