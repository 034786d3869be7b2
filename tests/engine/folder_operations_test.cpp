#include "engine/folder_operations.h"

#include "engine/folder_tree.h"
#include "platform/win32.h"
#include "support/sim_fixture.h"

namespace {

using namespace win32;

class FolderOperations : public test::SimFixture {
  protected:
    void SetUp() override { AddDrive('E'); }

    bool Hidden(const char* path) {
        const DWORD attributes = GetFileAttributesA(path);
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN);
    }
};

TEST_F(FolderOperations, CreateFolderPathHidesEveryFolderAlongThePath) {
    test::MakeFolderFor(Host("E:\\Zarn\\x"));  // exists already, not hidden
    ASSERT_EQ(CreateFolderPath("E:\\Zarn\\System\\Data\\", 1), 1);
    EXPECT_TRUE(Hidden("E:\\Zarn"));
    EXPECT_TRUE(Hidden("E:\\Zarn\\System"));
    EXPECT_TRUE(Hidden("E:\\Zarn\\System\\Data"));
    EXPECT_FALSE(Hidden("E:\\"));
    EXPECT_EQ(CreateFolderPath("E:\\Zarn\\System\\Data", 1), 1);  // all there: still 1

    ASSERT_EQ(CreateFolderPath("E:\\Plain\\Folder", 0), 1);
    EXPECT_FALSE(Hidden("E:\\Plain\\Folder"));
}

TEST_F(FolderOperations, CreateFolderPathNeverMakesALastPartWithADot) {
    ASSERT_EQ(CreateFolderPath("E:\\System\\QDAV3180.mi4", 1), 1);
    EXPECT_TRUE(test::HostExists(Host("E:\\System")));
    EXPECT_FALSE(test::HostExists(Host("E:\\System\\QDAV3180.mi4")));
}

TEST_F(FolderOperations, CreateFolderPathFailures) {
    DWORD error = 0;
    EXPECT_EQ(CreateFolderPath("Missing\\Folder", 1, &error), 0);  // "Missing" looks like a file
    EXPECT_EQ(error, ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(CreateFolderPath(nullptr, 1, &error), 0);

    test::WriteHostFile(Host("E:\\file"), "");
    EXPECT_EQ(CreateFolderPath("E:\\file\\Sub", 1, &error), 0);
    EXPECT_EQ(error, ERROR_PATH_NOT_FOUND);

    const std::string deep = "E:\\Top\\" + std::string(260, 'a');
    EXPECT_EQ(CreateFolderPath(deep.c_str(), 1, &error), 0);
    EXPECT_EQ(error, ERROR_FILENAME_EXCED_RANGE);
    EXPECT_FALSE(test::HostExists(Host("E:\\Top")));  // refused before anything was made

    machine_.Unplug('E');
    EXPECT_EQ(CreateFolderPath("E:\\System", 1, &error), 0);
}

TEST_F(FolderOperations, PathLooksLikeFile) {
    test::WriteHostFile(Host("E:\\Data\\noext"), "");
    test::MakeFolderFor(Host("E:\\Dir.v2\\x"));
    struct Case {
        const char* path;
        int file;
    } const cases[] = {
        {"E:\\Data\\noext", 1}, {"E:\\Dir.v2", 0},     {"E:\\Data", 0}, {"E:\\New\\a.bin", 1},
        {"E:\\New\\Sub", 0},    {"E:\\New.d\\Sub", 0}, {"Sub", 1},      {"E:\\New\\", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(PathLooksLikeFile(c.path), c.file) << c.path;
}

TEST_F(FolderOperations, FileExistsAndClearReadOnlyHidden) {
    test::WriteHostFile(Host("E:\\a.bin"), "");
    EXPECT_EQ(FileExists("E:\\a.bin"), 1);
    EXPECT_EQ(FileExists("E:\\"), 1);
    EXPECT_EQ(FileExists(""), 0);
    EXPECT_EQ(FileExists(nullptr), 0);
    EXPECT_EQ(FileExists("E:\\b.bin"), 0);

    SetFileAttributesA("E:\\a.bin",
                       FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    EXPECT_EQ(ClearReadOnlyHidden("E:\\a.bin"), 1);
    EXPECT_EQ(GetFileAttributesA("E:\\a.bin"), FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_SYSTEM);
    EXPECT_EQ(ClearReadOnlyHidden("E:\\b.bin"), 0);
}

TEST_F(FolderOperations, CountFolderTreeCountsFilesAndFoldersBelowThePattern) {
    test::WriteHostFile(Host("C:\\Src\\a.mp3"), "");
    test::WriteHostFile(Host("C:\\Src\\Sub\\b.mp3"), "");
    test::WriteHostFile(Host("C:\\Src\\Sub\\c.mp3"), "");
    test::WriteHostFile(Host("C:\\Src\\z.mp3"), "");
    test::WriteHostFile(Host("C:\\Src\\Sub\\skip.txt"), "");
    std::int32_t count = -1;
    ASSERT_EQ(CountFolderTree("C:\\Src\\*", &count), 1);
    EXPECT_EQ(count, 6);
    ASSERT_EQ(CountFolderTree("C:\\Src\\*.mp3", &count), 1);
    EXPECT_EQ(count, 2);  // "Sub" doesn't match *.mp3, so nothing below it is seen
    ASSERT_EQ(CountFolderTree("C:\\Src\\*.wav", &count), 1);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(CountFolderTree(nullptr, &count), 0);

    std::string sub;
    ASSERT_TRUE(SubPattern("C:\\Src\\*.mp3", "Sub", sub));
    EXPECT_EQ(sub, "C:\\Src\\Sub\\*.mp3");
    EXPECT_FALSE(SubPattern("*.mp3", "Sub", sub));
}

}  // namespace
