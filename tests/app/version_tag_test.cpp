#include "app/version_tag.h"

#include <string>

#include "app/installation.h"
#include "support/sim_fixture.h"

namespace {

using platform::File;

// A 64-byte header (or a shorter file) with `tag` at bytes 40-47.
std::string ProgramWithTag(const std::string& tag, std::size_t size = 64) {
    std::string bytes(64, 'x');
    bytes.replace(40, tag.size(), tag);
    bytes.resize(size, 'x');
    return bytes;
}

class VersionTag : public test::SimFixture {
  protected:
    void SetUp() override { AddDrive('E'); }

    int Read(const std::string& content, char (&version)[9]) {
        test::WriteHostFile(Host("E:\\System\\kvq.exe"), content);
        File file;
        EXPECT_TRUE(file.Open("E:\\System\\kvq.exe", File::modeRead));
        return ReadVersionTag(file, version);
    }
};

TEST_F(VersionTag, ReadsTheTagAtByteFortyWithinItsBounds) {
    struct Case {
        std::string content;
        int result;
        std::string version;
    } const cases[] = {
        {ProgramWithTag(std::string("V1.2\0\0\0\0", 8)), 1, "V1.2"},
        {ProgramWithTag("v1.23456"), 1, "v1.23456"},  // eight characters, no terminator in file
        {ProgramWithTag(std::string("v\0"
                                    "9999999",
                                    8)),
         1, "v"},
        {ProgramWithTag("1.234567"), 0, "keep"},
        {ProgramWithTag(" v1.2345"), 0, "keep"},
        {ProgramWithTag(std::string("\0v1.2345", 8)), 0, "keep"},
        {ProgramWithTag("V1.20000", 63), 0, "keep"},  // bytes 40-47 there, the header short
        {ProgramWithTag("V1.20000", 200), 1, "V1.20000"},
        {"", 0, "keep"},
    };
    for (const Case& c : cases) {
        char version[9] = "keep";
        EXPECT_EQ(Read(c.content, version), c.result) << c.content;
        EXPECT_EQ(std::string(version), c.version) << c.content;
    }
}

TEST_F(VersionTag, RefusesAClosedFileOrNoBuffer) {
    File closed;
    char version[9] = "keep";
    EXPECT_EQ(ReadVersionTag(closed, version), 0);
    EXPECT_STREQ(version, "keep");

    test::WriteHostFile(Host("E:\\kvq.exe"), ProgramWithTag("V2.00000"));
    File file;
    ASSERT_TRUE(file.Open("E:\\kvq.exe", File::modeRead));
    EXPECT_EQ(ReadVersionTag(file, nullptr), 0);
    EXPECT_EQ(ReadVersionTag(file, version), 1);  // the file stays usable
    EXPECT_STREQ(version, "V2.00000");
}

class ApplicationFolder : public test::SimFixture {};

TEST_F(ApplicationFolder, IsTheProgramsFolderInLowerCaseWhenTheNameFits) {
    struct Case {
        const char* program;
        bool found;
        const char* folder;
    } const cases[] = {
        {"C:\\Program Files\\Zarn\\KPZPortableDeviceSystemFileUpdater.exe", true,
         "c:\\program files\\zarn\\"},
        {"C:\\ZARN\\kpzportabledevicesystemfileupdater.EXE", true, "c:\\zarn\\"},
        {"C:\\Zarn\\Updater.exe", false, ""},
        {"C:\\Zarn\\KPZPortableDeviceSystemFileUpdater2.exe", false, ""},
        {"C:\\KPZPortableDeviceSystemFileUpdater.exe\\bin\\x.exe", true, "c:\\"},
    };
    for (const Case& c : cases) {
        machine_.SetProgram(c.program);
        const auto folder = GetApplicationFolder();
        EXPECT_EQ(folder.has_value(), c.found) << c.program;
        if (folder) {
            EXPECT_EQ(*folder, c.folder) << c.program;
        }
    }
}

TEST(InstallationLayout, BuildsInstalledAndPlayerPaths) {
    tagPORTDEVDESC desc;
    std::strcpy(desc.productId, "ZJ-20           ");
    std::strcpy(desc.systemFolder, "\\System");
    EXPECT_EQ(InstalledFilePath("c:\\zarn\\", desc, "\\kvq.exe"),
              "c:\\zarn\\ZJ-20\\System\\kvq.exe");
    EXPECT_EQ(DeviceFilePath('E', desc, "kvq.exe"), "E:\\System\\kvq.exe");
    std::strcpy(desc.systemFolder, "");
    EXPECT_EQ(InstalledFilePath("c:\\zarn", desc, "kvq.exe"), "c:\\zarn\\ZJ-20\\kvq.exe");
    EXPECT_EQ(DeviceFilePath('E', desc, "kvq.exe"), "E:\\kvq.exe");
    EXPECT_EQ(InstalledFilePath("c:\\" + std::string(250, 'a'), desc, "kvq.exe"), std::nullopt);
}

}  // namespace
