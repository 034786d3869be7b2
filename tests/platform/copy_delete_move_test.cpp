#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "platform/win32.h"
#include "support/sim_fixture.h"

namespace {

using namespace win32;

class CopyDeleteMove : public test::SimFixture {
  protected:
    void SetUp() override {
        AddDrive('E');
        test::WriteHostFile(Host("C:\\Zarn\\kvq.exe"), "new program");
        test::MakeFolderFor(Host("E:\\System\\x"));
    }

    // Files in a host folder, hidden temporaries included.
    std::size_t EntriesIn(const std::string& windowsFolder) {
        std::size_t n = 0;
        for (auto& entry : std::filesystem::directory_iterator(Host(windowsFolder))) {
            (void)entry;
            ++n;
        }
        return n;
    }
};

TEST_F(CopyDeleteMove, CopyOntoExistingTargets) {
    struct Case {
        const char* name;
        DWORD targetAttributes;  // INVALID_FILE_ATTRIBUTES: no target
        BOOL failIfExists;
        BOOL result;
        DWORD error;
    } const cases[] = {
        {"no target", INVALID_FILE_ATTRIBUTES, FALSE, TRUE, 0},
        {"no target, fail if exists", INVALID_FILE_ATTRIBUTES, TRUE, TRUE, 0},
        {"plain target", 0, FALSE, TRUE, 0},
        {"plain target, fail if exists", 0, TRUE, FALSE, ERROR_FILE_EXISTS},
        {"read-only target", FILE_ATTRIBUTE_READONLY, FALSE, FALSE, ERROR_ACCESS_DENIED},
        {"hidden target", FILE_ATTRIBUTE_HIDDEN, FALSE, FALSE, ERROR_ACCESS_DENIED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const char* target = "E:\\System\\kvq.exe";
        std::filesystem::remove(Host(target));
        if (c.targetAttributes != INVALID_FILE_ATTRIBUTES) {
            test::WriteHostFile(Host(target), "old program");
            ASSERT_TRUE(SetFileAttributesA(target, c.targetAttributes));
        }
        SetLastError(0);
        EXPECT_EQ(CopyFileA("C:\\Zarn\\kvq.exe", target, c.failIfExists), c.result);
        if (!c.result) {
            EXPECT_EQ(GetLastError(), c.error);
        }
        const bool copied = c.result == TRUE;
        const bool hadTarget = c.targetAttributes != INVALID_FILE_ATTRIBUTES;
        if (copied || hadTarget) {
            EXPECT_EQ(test::ReadHostFile(Host(target)), copied ? "new program" : "old program");
        }
        EXPECT_EQ(EntriesIn("E:\\System"), copied || hadTarget ? 1u : 0u);  // no temporary left
        SetFileAttributesA(target, 0);
    }
}

TEST_F(CopyDeleteMove, CopyKeepsTheSourcesLastWriteTimeAndAttributes) {
    const std::string source = Host("C:\\Zarn\\kvq.exe");
    struct timespec times[2] = {{1000000000, 0}, {1234567890, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, source.c_str(), times, 0), 0);
    ASSERT_TRUE(
        SetFileAttributesA("C:\\Zarn\\kvq.exe", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));

    ASSERT_TRUE(CopyFileA("C:\\Zarn\\kvq.exe", "E:\\System\\kvq.exe", FALSE));

    struct stat st;
    ASSERT_EQ(::stat(Host("E:\\System\\kvq.exe").c_str(), &st), 0);
    EXPECT_EQ(st.st_mtim.tv_sec, 1234567890);
    EXPECT_EQ(GetFileAttributesA("E:\\System\\kvq.exe"),
              FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
}

TEST_F(CopyDeleteMove, CopyFailuresLeaveNothingBehind) {
    EXPECT_FALSE(CopyFileA("C:\\Zarn\\none.exe", "E:\\System\\kvq.exe", FALSE));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(CopyFileA("C:\\Zarn\\kvq.exe", "E:\\Missing\\kvq.exe", FALSE));
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_FALSE(CopyFileA("C:\\Zarn", "E:\\System\\Zarn", FALSE));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_FALSE(CopyFileA("C:\\Zarn\\kvq.exe", "E:\\System", FALSE));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_EQ(EntriesIn("E:\\System"), 0u);
}

TEST_F(CopyDeleteMove, DeleteRefusesReadOnlyFilesAndFolders) {
    test::WriteHostFile(Host("E:\\System\\a.bin"), "a");
    ASSERT_TRUE(SetFileAttributesA("E:\\System\\a.bin", FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(DeleteFileA("E:\\System\\a.bin"));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(test::HostExists(Host("E:\\System\\a.bin")));

    EXPECT_FALSE(DeleteFileA("E:\\System"));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_FALSE(DeleteFileA("E:\\System\\none.bin"));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);

    ASSERT_TRUE(SetFileAttributesA("E:\\System\\a.bin", FILE_ATTRIBUTE_HIDDEN));
    EXPECT_TRUE(DeleteFileA("E:\\SYSTEM\\A.BIN"));
    EXPECT_FALSE(test::HostExists(Host("E:\\System\\a.bin")));
}

TEST_F(CopyDeleteMove, CreateDirectoryReportsWhatIsInTheWay) {
    EXPECT_TRUE(CreateDirectoryA("E:\\System\\Data", nullptr));
    EXPECT_FALSE(CreateDirectoryA("E:\\System\\Data", nullptr));
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_FALSE(CreateDirectoryA("E:\\SYSTEM\\DATA", nullptr));
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    test::WriteHostFile(Host("E:\\System\\file"), "");
    EXPECT_FALSE(CreateDirectoryA("E:\\System\\file", nullptr));
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_FALSE(CreateDirectoryA("E:\\System\\Missing\\Data", nullptr));
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_FALSE(CreateDirectoryA("E:\\", nullptr));
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
}

TEST_F(CopyDeleteMove, MoveRefusesAnExistingTargetUnlessAskedToReplace) {
    test::WriteHostFile(Host("E:\\System\\a.tmp"), "rebuilt");
    test::WriteHostFile(Host("E:\\System\\a.bin"), "old");
    EXPECT_FALSE(MoveFileA("E:\\System\\a.tmp", "E:\\System\\a.bin"));
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_FALSE(MoveFileA("E:\\System\\a.tmp", "C:\\a.bin"));
    EXPECT_EQ(GetLastError(), ERROR_NOT_SAME_DEVICE);

    ASSERT_TRUE(SetFileAttributesA("E:\\System\\a.bin", FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(MoveFileExA("E:\\System\\a.tmp", "E:\\System\\a.bin", MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    ASSERT_TRUE(SetFileAttributesA("E:\\System\\a.bin", 0));
    // The replaced entry ends under the name as written, not the old one's capitals.
    EXPECT_TRUE(MoveFileExA("E:\\System\\a.tmp", "E:\\System\\A.BIN", MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(test::ReadHostFile(Host("E:\\System\\A.BIN")), "rebuilt");
    EXPECT_FALSE(test::HostExists(Host("E:\\System\\a.bin")));
    EXPECT_FALSE(test::HostExists(Host("E:\\System\\a.tmp")));
    EXPECT_TRUE(MoveFileA("E:\\System\\a.bin", "E:\\System\\b.bin"));
    EXPECT_EQ(test::ReadHostFile(Host("E:\\System\\b.bin")), "rebuilt");
}

TEST_F(CopyDeleteMove, FreeSpaceIsTheCallersAndCanBeSet) {
    ULARGE_INTEGER available{}, total{}, totalFree{};
    ASSERT_TRUE(GetDiskFreeSpaceExA("E:\\.", &available, &total, &totalFree));
    EXPECT_GT(available.QuadPart, 0u);
    machine_.FindDrive('E')->freeBytes = 4096;
    ASSERT_TRUE(GetDiskFreeSpaceExA("E:\\", &available, nullptr, nullptr));
    EXPECT_EQ(available.QuadPart, 4096u);
    EXPECT_FALSE(GetDiskFreeSpaceExA("E:\\Missing\\", &available, nullptr, nullptr));
}

// What Windows' file systems answer where Wine answers otherwise, or our core once did (the
// differential check holds both against Wine).
class WindowsAnswers : public CopyDeleteMove {};

TEST_F(WindowsAnswers, AFilesNameFollowedByASeparatorIsNoName) {
    test::WriteHostFile(Host("E:\\System\\a.bin"), "a");
    EXPECT_EQ(GetFileAttributesA("E:\\System\\a.bin\\"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_NAME);
    EXPECT_FALSE(DeleteFileA("E:\\System\\a.bin\\"));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_NAME);
    EXPECT_FALSE(CopyFileA("E:\\System\\a.bin\\", "E:\\copy.bin", FALSE));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_NAME);
    EXPECT_TRUE(test::HostExists(Host("E:\\System\\a.bin")));
    EXPECT_FALSE(test::HostExists(Host("E:\\copy.bin")));

    // A folder's name may carry one; a search needs a pattern after it.
    EXPECT_EQ(GetFileAttributesA("E:\\System\\"), FILE_ATTRIBUTE_DIRECTORY);
    WIN32_FIND_DATAA found;
    EXPECT_EQ(FindFirstFileA("E:\\System\\", &found), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST_F(WindowsAnswers, RemovingAFolderThatIsAFileIsNoFolder) {
    test::WriteHostFile(Host("E:\\System\\a.bin"), "a");
    EXPECT_FALSE(RemoveDirectoryA("E:\\System\\a.bin"));
    EXPECT_EQ(GetLastError(), ERROR_DIRECTORY);
    EXPECT_TRUE(test::HostExists(Host("E:\\System\\a.bin")));
    EXPECT_FALSE(RemoveDirectoryA("E:\\"));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
}

TEST_F(WindowsAnswers, FreeSpaceIsAFoldersAndAllOfItTheCallers) {
    test::WriteHostFile(Host("E:\\System\\a.bin"), "a");
    ULARGE_INTEGER available{}, total{}, totalFree{};
    ASSERT_TRUE(GetDiskFreeSpaceExA("E:\\System", &available, &total, &totalFree));
    EXPECT_EQ(totalFree.QuadPart, available.QuadPart);
    EXPECT_GE(total.QuadPart, available.QuadPart);
    const struct {
        const char* path;
        DWORD error;
    } refused[] = {
        {"E:\\Missing", ERROR_FILE_NOT_FOUND},
        {"E:\\Missing\\", ERROR_FILE_NOT_FOUND},
        {"E:\\Missing\\Deeper\\", ERROR_PATH_NOT_FOUND},
        {"E:\\System\\a.bin", ERROR_DIRECTORY},
    };
    for (const auto& c : refused) {
        EXPECT_FALSE(GetDiskFreeSpaceExA(c.path, &available, &total, &totalFree)) << c.path;
        EXPECT_EQ(GetLastError(), c.error) << c.path;
    }
}

TEST_F(WindowsAnswers, CopyingAFileOntoItselfLeavesItWhole) {
    test::WriteHostFile(Host("E:\\System\\kvq.exe"), "program");
    for (const char* target : {"E:\\System\\kvq.exe", "E:\\SYSTEM\\KVQ.EXE"}) {
        EXPECT_FALSE(CopyFileA("E:\\System\\kvq.exe", target, FALSE)) << target;
        EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION) << target;
        EXPECT_FALSE(CopyFileA("E:\\System\\kvq.exe", target, TRUE)) << target;
        EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS) << target;
    }
    EXPECT_EQ(test::ReadHostFile(Host("E:\\System\\kvq.exe")), "program");
}

}  // namespace
