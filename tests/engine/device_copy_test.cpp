#include "engine/device_copy.h"

#include <algorithm>

#include <filesystem>

#include "engine/file_copy.h"
#include "platform/win32.h"
#include "support/sim_fixture.h"

namespace {

using namespace win32;

class DeviceCopy : public test::SimFixture {
  protected:
    void SetUp() override {
        AddDrive('E');
        test::WriteHostFile(Host("C:\\Zarn\\kvq.exe"), "new program");
        test::WriteHostFile(Host("E:\\System\\kvq.exe"), "old program");
    }

    std::vector<std::string> Names(const std::string& windowsFolder) {
        std::vector<std::string> names;
        for (auto& e : std::filesystem::directory_iterator(Host(windowsFolder))) {
            names.push_back(e.path().filename().string());
        }
        return names;
    }
};

TEST_F(DeviceCopy, ReplacesAReadOnlyHiddenTargetAndLeavesNoTemporary) {
    SetFileAttributesA("E:\\System\\kvq.exe", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    ASSERT_TRUE(ReplaceDeviceFile("C:\\Zarn\\kvq.exe", "E:\\System\\kvq.exe", false));
    EXPECT_EQ(test::ReadHostFile(Host("E:\\System\\kvq.exe")), "new program");
    EXPECT_EQ(Names("E:\\System"), std::vector<std::string>{"kvq.exe"});
}

TEST_F(DeviceCopy, FailIfExistsLeavesTheTargetAlone) {
    EXPECT_FALSE(ReplaceDeviceFile("C:\\Zarn\\kvq.exe", "E:\\System\\kvq.exe", true));
    EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS);
    EXPECT_EQ(test::ReadHostFile(Host("E:\\System\\kvq.exe")), "old program");
    EXPECT_TRUE(ReplaceDeviceFile("C:\\Zarn\\kvq.exe", "E:\\System\\new.exe", true));
}

TEST_F(DeviceCopy, AFailedCopyKeepsTheOldFile) {
    // The device goes after the temporary copy is made, before it can take the old one's place.
    machine_.FindDrive('E')->unplugAfterOps = machine_.OperationsOn('E') + 1;
    EXPECT_FALSE(ReplaceDeviceFile("C:\\Zarn\\kvq.exe", "E:\\System\\kvq.exe", false));
    EXPECT_EQ(test::ReadHostFile(Host("E:\\System\\kvq.exe")), "old program");

    machine_.FindDrive('E')->present = true;
    machine_.FindDrive('E')->unplugAfterOps = 0;
    EXPECT_FALSE(ReplaceDeviceFile("C:\\Zarn\\none.exe", "E:\\System\\kvq.exe", false));
    EXPECT_EQ(test::ReadHostFile(Host("E:\\System\\kvq.exe")), "old program");
    ASSERT_TRUE(ReplaceDeviceFile("C:\\Zarn\\kvq.exe", "E:\\System\\kvq.exe", false));
    EXPECT_EQ(Names("E:\\System"), std::vector<std::string>{"kvq.exe"});  // stale one gone
}

}  // namespace

namespace {

using namespace win32;

class DeviceCopyNames : public test::SimFixture {
  protected:
    void SetUp() override {
        AddDrive('E');
        test::WriteHostFile(Host("C:\\Zarn\\System\\QDAV3180.mi4"), "new image");
        test::WriteHostFile(Host("E:\\SYSTEM\\QDAV3180.MI4"), "old image");
    }
    std::vector<std::string> Names(const std::string& hostFolder) {
        std::vector<std::string> names;
        for (auto& e : std::filesystem::directory_iterator(hostFolder)) {
            names.push_back(e.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(DeviceCopyNames, AReplacedFileTakesTheLowerCaseNameAndFoldersKeepTheirs) {
    ASSERT_EQ(CopyFileToDevice("C:\\Zarn\\System\\QDAV3180.mi4", "E:\\System", "QDAV3180.mi4", 0),
              kFileCopied);
    EXPECT_EQ(Names(Host("E:\\")), std::vector<std::string>{"SYSTEM"});
    EXPECT_EQ(Names(Host("E:\\SYSTEM")), std::vector<std::string>{"qdav3180.mi4"});
    EXPECT_EQ(test::ReadHostFile(Host("E:\\SYSTEM\\qdav3180.mi4")), "new image");
}

TEST_F(DeviceCopyNames, ADataFileNamedLikeTheTemporaryIsCopiedLikeAnyOther) {
    // The installation ships it, so the one on the device is data, not a cut-off copy.
    test::WriteHostFile(Host("C:\\Zarn\\System\\~kpzcopy.tmp"), "new data");
    test::WriteHostFile(Host("E:\\SYSTEM\\~kpzcopy.tmp"), "old data");
    ASSERT_TRUE(
        ReplaceDeviceFile("C:\\Zarn\\System\\QDAV3180.mi4", "E:\\System\\qdav3180.mi4", false));
    EXPECT_EQ(test::ReadHostFile(Host("E:\\SYSTEM\\~kpzcopy.tmp")), "old data");
    ASSERT_TRUE(
        ReplaceDeviceFile("C:\\Zarn\\System\\~kpzcopy.tmp", "E:\\System\\~kpzcopy.tmp", false));
    EXPECT_EQ(test::ReadHostFile(Host("E:\\SYSTEM\\~kpzcopy.tmp")), "new data");
    EXPECT_EQ(Names(Host("E:\\SYSTEM")),
              (std::vector<std::string>{"qdav3180.mi4", "~kpzcopy.tmp"}));
}

TEST_F(DeviceCopyNames, LeftoversOfCutOffCopiesGoWhenTheRunStartsWhereverTheyLie) {
    test::WriteHostFile(Host("C:\\Zarn\\System\\Music\\~kpzcopy.tmp"), "shipped");
    for (const char* leftover :
         {"E:\\SYSTEM\\~kpzcopy.tmp", "E:\\SYSTEM\\Old\\Deeper\\~KPZCOPY.TMP",
          "E:\\SYSTEM\\Music\\~kpzcop2.tmp"}) {
        test::WriteHostFile(Host(leftover), "partial");
    }
    test::WriteHostFile(Host("E:\\SYSTEM\\Music\\~kpzcopy.tmp"), "data");
    SetFileAttributesA("E:\\SYSTEM\\~kpzcopy.tmp", FILE_ATTRIBUTE_READONLY);
    RemoveLeftoverCopies("E:\\System", "C:\\Zarn\\System");
    EXPECT_EQ(Names(Host("E:\\SYSTEM")),
              (std::vector<std::string>{"Music", "Old", "QDAV3180.MI4"}));
    EXPECT_EQ(Names(Host("E:\\SYSTEM\\Old\\Deeper")), std::vector<std::string>{});
    EXPECT_EQ(Names(Host("E:\\SYSTEM\\Music")), std::vector<std::string>{"~kpzcopy.tmp"});
}

}  // namespace
