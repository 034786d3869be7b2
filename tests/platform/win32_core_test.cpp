// The Windows file-system core: drives are folders of the host, and nothing the core does
// reaches outside them or treats a folder's own folder as part of the drive.
#include <filesystem>
#include <string>
#include <vector>

#include "platform/file.h"
#include "platform/win32.h"
#include "support/host_link.h"
#include "support/sim_fixture.h"

namespace {

class Win32Core : public test::SimFixture {
  protected:
    void SetUp() override {
        AddDrive('E');
        AddDrive('F');
        test::WriteHostFile(Host("E:\\System\\kvq.exe"), "program");
    }

    static std::vector<std::string> Listed(const char* pattern) {
        std::vector<std::string> names;
        win32::WIN32_FIND_DATAA found;
        const win32::HANDLE search = win32::FindFirstFileA(pattern, &found);
        if (search == win32::INVALID_HANDLE_VALUE) return names;
        do {
            names.push_back(found.cFileName);
        } while (win32::FindNextFileA(search, &found));
        win32::FindClose(search);
        return names;
    }
};

TEST_F(Win32Core, DotDotStopsAtTheDrivesRoot) {
    test::WriteHostFile(temp_.PathOf("outside.txt"), "not on the drive");
    EXPECT_EQ(win32::GetFileAttributesA("E:\\..\\outside.txt"), win32::INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(win32::GetLastError(), win32::ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(win32::GetFileAttributesA("E:\\System\\..\\..\\..\\System\\kvq.exe"),
              win32::FILE_ATTRIBUTE_ARCHIVE);

    ASSERT_TRUE(win32::CreateDirectoryA("E:\\..\\..\\Escape", nullptr));
    EXPECT_TRUE(std::filesystem::is_directory(Host("E:\\Escape")));
    EXPECT_FALSE(std::filesystem::exists(temp_.PathOf("Escape")));
}

TEST_F(Win32Core, TheDrivesRootIsNeitherRemovedNorMovedNorListedWithDots) {
    EXPECT_FALSE(win32::RemoveDirectoryA("E:\\"));
    EXPECT_EQ(win32::GetLastError(), win32::ERROR_ACCESS_DENIED);
    EXPECT_FALSE(win32::MoveFileA("E:\\", "E:\\Moved"));
    EXPECT_EQ(win32::GetLastError(), win32::ERROR_ACCESS_DENIED);
    EXPECT_TRUE(std::filesystem::is_directory(Host("E:\\System")));

    test::WriteHostFile(Host("E:\\beta.txt"), "b");
    test::WriteHostFile(Host("E:\\Alpha.txt"), "a");
    EXPECT_EQ(Listed("E:\\*"), (std::vector<std::string>{"Alpha.txt", "beta.txt", "System"}));
    EXPECT_EQ(Listed("E:\\System\\*"), (std::vector<std::string>{".", "..", "kvq.exe"}));
}

TEST_F(Win32Core, MovesStayOnTheirDrive) {
    EXPECT_FALSE(win32::MoveFileA("E:\\System\\kvq.exe", "F:\\kvq.exe"));
    EXPECT_EQ(win32::GetLastError(), win32::ERROR_NOT_SAME_DEVICE);
    EXPECT_TRUE(test::HostExists(Host("E:\\System\\kvq.exe")));
    EXPECT_FALSE(test::HostExists(Host("F:\\kvq.exe")));

    EXPECT_FALSE(win32::MoveFileA("E:\\System\\none.bin", "F:\\none.bin"));
    EXPECT_EQ(win32::GetLastError(), win32::ERROR_FILE_NOT_FOUND);
}

TEST_F(Win32Core, CopiesTellTheMachineWhatReachedTheDrive) {
    ASSERT_TRUE(win32::CopyFileA("E:\\System\\kvq.exe", "F:\\kvq.exe", win32::TRUE));
    EXPECT_EQ(machine_.FindDrive('F')->bytesCopied, 7u);
    EXPECT_EQ(machine_.FindDrive('E')->bytesCopied, 0u);
}

TEST_F(Win32Core, DeviceNamesAreFilesOnTheDrive) {
    platform::File file;
    ASSERT_TRUE(
        file.Open("E:\\System\\NUL", platform::File::modeCreate | platform::File::modeWrite));
    EXPECT_EQ(file.Write("kept", 4), 4u);
    file.Close();
    EXPECT_EQ(test::ReadHostFile(Host("E:\\System\\NUL")), "kept");
}

TEST_F(Win32Core, ALinkOnTheWayIsRefused) {
    const std::string target = temp_.MakeFolder("elsewhere");
    test::WriteHostFile(target + "/secret.txt", "outside");
    std::string why;
    if (!test::MakeHostFolderLink(Host("E:\\Link"), target, why)) {
        GTEST_SKIP() << "this host makes no symbolic links: " << why;
    }
    EXPECT_EQ(win32::GetFileAttributesA("E:\\Link\\secret.txt"), win32::INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(win32::GetLastError(), win32::ERROR_ACCESS_DENIED);
    EXPECT_FALSE(win32::CopyFileA("E:\\Link\\secret.txt", "E:\\copy.txt", win32::FALSE));
    EXPECT_EQ(win32::GetLastError(), win32::ERROR_ACCESS_DENIED);
    EXPECT_EQ(Listed("E:\\*"), (std::vector<std::string>{"System"}));
}

TEST_F(Win32Core, FreeSpaceIsTheMachinesWhereItSaysSo) {
    AddDrive('G').freeBytes = 5000;
    std::uint64_t available = 0, total = 0, totalFree = 0;
    ASSERT_TRUE(win32::GetDiskFreeSpaceExA("G:\\",
                                           reinterpret_cast<win32::ULARGE_INTEGER*>(&available),
                                           reinterpret_cast<win32::ULARGE_INTEGER*>(&total),
                                           reinterpret_cast<win32::ULARGE_INTEGER*>(&totalFree)));
    EXPECT_EQ(available, 5000u);
    EXPECT_EQ(totalFree, 5000u);
    EXPECT_GT(total, 0u);
}

}  // namespace
