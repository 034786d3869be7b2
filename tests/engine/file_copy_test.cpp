#include "engine/file_copy.h"

#include <filesystem>

#include "platform/win32.h"
#include "support/sim_fixture.h"

namespace {

using namespace win32;

class CopyFileToDeviceTest : public test::SimFixture {
  protected:
    void SetUp() override {
        AddDrive('E');
        test::WriteHostFile(Host("C:\\Src\\Data\\Track.DAT"), "new track");
        test::WriteHostFile(Host("C:\\Src\\kvq.exe"), "new program");
        test::WriteHostFile(Host("E:\\System\\kvq.exe"), "old program");
    }

    // Every name below a device folder, sorted, with "/" between levels.
    std::vector<std::string> Tree(const std::string& windowsFolder) {
        std::vector<std::string> names;
        const std::filesystem::path root = Host(windowsFolder);
        for (auto& e : std::filesystem::recursive_directory_iterator(root)) {
            names.push_back(e.path().lexically_relative(root).generic_string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(CopyFileToDeviceTest, EntryInASubFolderGetsAHiddenFolderAndALowerCaseName) {
    SetFileAttributesA("C:\\Src\\Data\\Track.DAT", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    ASSERT_EQ(CopyFileToDevice("C:\\Src\\Data\\Track.DAT", "E:\\System", "\\Data\\Track.DAT", 0),
              kFileCopied);
    EXPECT_EQ(Tree("E:\\System"), (std::vector<std::string>{"Data", "Data/track.dat", "kvq.exe"}));
    EXPECT_EQ(test::ReadHostFile(Host("E:\\System\\Data\\track.dat")), "new track");
    EXPECT_EQ(GetFileAttributesA("E:\\System\\Data"),
              FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(GetFileAttributesA("C:\\Src\\Data\\Track.DAT"), FILE_ATTRIBUTE_ARCHIVE);
}

TEST_F(CopyFileToDeviceTest, ReplacesAReadOnlyHiddenTarget) {
    SetFileAttributesA("E:\\System\\kvq.exe", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    ASSERT_EQ(CopyFileToDevice("C:\\Src\\kvq.exe", "E:\\System\\", "kvq.exe", 0), kFileCopied);
    EXPECT_EQ(test::ReadHostFile(Host("E:\\System\\kvq.exe")), "new program");
    EXPECT_EQ(GetFileAttributesA("E:\\System\\kvq.exe"), FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_EQ(Tree("E:\\System"), std::vector<std::string>{"kvq.exe"});
}

TEST_F(CopyFileToDeviceTest, FailuresLeaveTheOldFileAsItWas) {
    const DWORD readOnlyHidden = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
    SetFileAttributesA("E:\\System\\kvq.exe", readOnlyHidden);
    EXPECT_EQ(CopyFileToDevice("C:\\Src\\none.exe", "E:\\System", "kvq.exe", 0),
              kFileSourceMissing);
    EXPECT_EQ(CopyFileToDevice("C:\\Src\\kvq.exe", "E:\\System", "kvq.exe", 1), kFileCopyFailed);
    EXPECT_EQ(GetFileAttributesA("E:\\System\\kvq.exe"), FILE_ATTRIBUTE_ARCHIVE | readOnlyHidden);

    // A folder in the file's place: the new copy is made but can't be put in place.
    std::filesystem::create_directories(Host("E:\\System\\track.dat"));
    EXPECT_EQ(CopyFileToDevice("C:\\Src\\Data\\Track.DAT", "E:\\System", "Track.DAT", 0),
              kFileCopyFailed);
    EXPECT_EQ(Tree("E:\\System"), (std::vector<std::string>{"kvq.exe", "track.dat"}));

    // The device goes halfway: after the new copy is made, before it replaces the old one.
    // Found by counting, as the cores take different numbers of operations to get there.
    sim::Drive& drive = *machine_.FindDrive('E');
    const std::string temporary = Host("E:\\System\\~kpzcopy.tmp");
    for (unsigned after = 1; !std::filesystem::exists(temporary); ++after) {
        ASSERT_LT(after, 20u) << "the copy never got halfway";
        drive.present = true;
        drive.unplugAfterOps = drive.operations + after;
        const int result = CopyFileToDevice("C:\\Src\\kvq.exe", "E:\\System", "kvq.exe", 0);
        ASSERT_EQ(result, kFileCopyFailed) << "unplugged after " << after;
        EXPECT_EQ(test::ReadHostFile(Host("E:\\System\\kvq.exe")), "old program");
    }
    EXPECT_EQ(test::ReadHostFile(temporary), "new program");
}

TEST_F(CopyFileToDeviceTest, RefusesEntriesThatLeaveTheDeviceFolder) {
    const std::string longName = std::string(250, 'n') + ".bin";
    for (const char* entry : {"..\\kvq.exe", "Data\\..\\..\\kvq.exe", "C:\\kvq.exe", "E:kvq.exe",
                              "\\\\kvq.exe", "Data\\", longName.c_str()}) {
        EXPECT_EQ(CopyFileToDevice("C:\\Src\\kvq.exe", "E:\\System", entry, 0), kFileCopyFailed)
            << entry;
    }
    EXPECT_EQ(Tree("E:\\"), (std::vector<std::string>{"System", "System/kvq.exe"}));
    EXPECT_EQ(test::ReadHostFile(Host("E:\\System\\kvq.exe")), "old program");
}

}  // namespace
