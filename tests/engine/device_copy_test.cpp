#include "engine/device_copy.h"

#include <filesystem>

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
    machine_.FindDrive('E')->unplugAfterOps = machine_.OperationsOn('E') + 4;
    EXPECT_FALSE(ReplaceDeviceFile("C:\\Zarn\\kvq.exe", "E:\\System\\kvq.exe", false));
    EXPECT_EQ(test::ReadHostFile(Host("E:\\System\\kvq.exe")), "old program");

    machine_.FindDrive('E')->present = true;
    machine_.FindDrive('E')->unplugAfterOps = 0;
    EXPECT_FALSE(ReplaceDeviceFile("C:\\Zarn\\none.exe", "E:\\System\\kvq.exe", false));
    EXPECT_EQ(test::ReadHostFile(Host("E:\\System\\kvq.exe")), "old program");
    EXPECT_EQ(Names("E:\\System").size(), 1u);
    ASSERT_TRUE(ReplaceDeviceFile("C:\\Zarn\\kvq.exe", "E:\\System\\kvq.exe", false));
    EXPECT_EQ(Names("E:\\System"), std::vector<std::string>{"kvq.exe"});  // stale one gone
}

}  // namespace
