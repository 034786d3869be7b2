#include <filesystem>
#include <new>

#include "engine/folder_tree.h"
#include "platform/win32.h"
#include "status_recorder.h"
#include "support/sim_fixture.h"

namespace {

using namespace win32;

class CopyFolderTreeTest : public test::SimFixture {
  protected:
    void SetUp() override {
        AddDrive('E');
        device_.driveLetter = 'E';
        for (const char* name : {"a.mp3", "Sub\\b.mp3", "Sub\\c.mp3", "z.mp3"}) {
            test::WriteHostFile(Host(std::string("C:\\Src\\") + name), name);
        }
        std::filesystem::create_directories(Host("E:\\Music"));
    }

    int Copy(const char* pattern, const char* target = "E:\\Music") {
        return CopyFolderTree(&device_, pattern, target, test::StatusRecorder::Callback);
    }
    std::string OnDevice(const std::string& path) { return test::ReadHostFile(Host(path)); }

    tagPORTDEVINFO device_;
    test::StatusRecorder recorder_;
};

TEST_F(CopyFolderTreeTest, CopiesAFileASubFolderWithTwoFilesAndAnotherFile) {
    test::WriteHostFile(Host("E:\\Music\\z.mp3"), "old");
    SetFileAttributesA("E:\\Music\\z.mp3", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    ASSERT_EQ(Copy("C:\\Src\\*"), kTreeCopied);
    EXPECT_EQ(recorder_.Codes(), std::vector<std::uint32_t>(5, UPGSTAT_STEP));
    for (const auto& n : recorder_.sent) {
        EXPECT_TRUE(n.hasRecord && n.pos == 0 && n.count == 0 && n.text.empty());
    }
    EXPECT_EQ(OnDevice("E:\\Music\\a.mp3"), "a.mp3");
    EXPECT_EQ(OnDevice("E:\\Music\\Sub\\b.mp3"), "Sub\\b.mp3");
    EXPECT_EQ(OnDevice("E:\\Music\\Sub\\c.mp3"), "Sub\\c.mp3");
    EXPECT_EQ(OnDevice("E:\\Music\\z.mp3"), "z.mp3");
    EXPECT_EQ(GetFileAttributesA("E:\\Music\\Sub"),
              FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
    std::int32_t count = 0;
    ASSERT_EQ(CountFolderTree("C:\\Src\\*", &count), 1);
    EXPECT_EQ(count, 5);
}

TEST_F(CopyFolderTreeTest, NothingFoundAndMissingArguments) {
    EXPECT_EQ(Copy("C:\\Src\\*.wav"), kTreeNothingFound);
    EXPECT_EQ(Copy("C:\\Nowhere\\*"), kTreeNothingFound);
    EXPECT_EQ(Copy(nullptr), kTreeMissingArgument);
    EXPECT_EQ(Copy("C:\\Src\\*", nullptr), kTreeMissingArgument);
    EXPECT_TRUE(recorder_.sent.empty());
}

TEST_F(CopyFolderTreeTest, AnEmptyMatchingSubFolderDoesNotEndTheWalk) {
    std::filesystem::create_directories(Host("C:\\Src\\Old.mp3"));
    ASSERT_EQ(Copy("C:\\Src\\*.mp3"), kTreeCopied);
    EXPECT_EQ(OnDevice("E:\\Music\\z.mp3"), "z.mp3");
    std::int32_t count = 0;
    ASSERT_EQ(CountFolderTree("C:\\Src\\*.mp3", &count), 1);
    EXPECT_EQ(recorder_.sent.size(), static_cast<std::size_t>(count));
    EXPECT_EQ(count, 3);
}

TEST_F(CopyFolderTreeTest, PatternWithoutAFolderCopiesNothingBelowItsFolders) {
    machine_.SetCurrentDirectory("C:\\Src");
    ASSERT_EQ(Copy("*"), kTreeCopied);
    EXPECT_EQ(recorder_.sent.size(), 3u);
    EXPECT_EQ(OnDevice("E:\\Music\\z.mp3"), "z.mp3");
    EXPECT_TRUE(test::HostExists(Host("E:\\Music\\Sub")));
    EXPECT_FALSE(test::HostExists(Host("E:\\Music\\Sub\\b.mp3")));
}

TEST_F(CopyFolderTreeTest, AFailedCopyIsRememberedAndTheWalkGoesOn) {
    std::filesystem::create_directories(Host("E:\\Music\\a.mp3"));  // can't be replaced
    EXPECT_EQ(Copy("C:\\Src\\*"), kTreeCopyFailed);
    EXPECT_EQ(recorder_.sent.size(), 5u);
    EXPECT_EQ(OnDevice("E:\\Music\\z.mp3"), "z.mp3");

    // A sub-folder's failure ends the walk at once: z.mp3 is not reached.
    std::filesystem::remove_all(Host("E:\\Music"));
    test::WriteHostFile(Host("E:\\Music\\Sub"), "a file where the folder goes");
    EXPECT_EQ(Copy("C:\\Src\\*"), kTreeCopyFailed);
    EXPECT_FALSE(test::HostExists(Host("E:\\Music\\z.mp3")));
}

TEST_F(CopyFolderTreeTest, RefusesTargetPathsOverTheLimit) {
    const std::string target = "E:\\" + std::string(240, 'd');
    test::MakeHostFolder(Host(target));
    test::WriteHostFile(Host("C:\\Src\\" + std::string(20, 'n') + ".mp3"), "long");
    EXPECT_EQ(Copy("C:\\Src\\*.mp3", target.c_str()), kTreeCopyFailed);
    EXPECT_EQ(OnDevice(target + "\\a.mp3"), "a.mp3");
    EXPECT_EQ(test::HostNamesIn(Host(target)), (std::vector<std::string>{"a.mp3", "z.mp3"}));
}

TEST_F(CopyFolderTreeTest, AFrameworkExceptionAsksWhetherTheDeviceIsThere) {
    recorder_.onNotify = [](std::uint32_t, std::size_t) { throw std::bad_alloc(); };
    EXPECT_EQ(Copy("C:\\Src\\*"), kTreeFailedDevicePresent);
    EXPECT_EQ(recorder_.Codes(), std::vector<std::uint32_t>{UPGSTAT_STEP});

    // Gone at the first file below the sub-folder: only that level tells.
    recorder_.sent.clear();
    recorder_.onNotify = [this](std::uint32_t, std::size_t number) {
        if (number != 3) return;
        machine_.Unplug('E');
        throw std::runtime_error("device gone");
    };
    EXPECT_EQ(Copy("C:\\Src\\*"), kTreeDeviceGone);
    EXPECT_EQ(recorder_.Codes(), (std::vector<std::uint32_t>{UPGSTAT_STEP, UPGSTAT_STEP,
                                                             UPGSTAT_STEP, UPGSTAT_DEVICE_LOST}));
}

}  // namespace
