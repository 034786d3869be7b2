#include "common/path_text.h"

#include <gtest/gtest.h>

namespace {

using common::JoinPath;

TEST(JoinPath, AddsABackslashOnlyWhenTheFolderLacksOne) {
    EXPECT_EQ(JoinPath("C:\\Zarn", "kvq.exe"), "C:\\Zarn\\kvq.exe");
    EXPECT_EQ(JoinPath("C:\\Zarn\\", "kvq.exe"), "C:\\Zarn\\kvq.exe");
    EXPECT_EQ(JoinPath("", "kvq.exe"), "\\kvq.exe");
}

TEST(JoinPath, RefusesResultsOverTheLimitInsteadOfCutting) {
    const std::string folder = "C:\\" + std::string(250, 'a');  // 253 characters
    EXPECT_EQ(JoinPath(folder, "12345")->size(), 259u);
    EXPECT_FALSE(JoinPath(folder, "123456").has_value());
    EXPECT_FALSE(common::WithTrailingBackslash(std::string(259, 'a')).has_value());
    EXPECT_EQ(common::WithTrailingBackslash(std::string(258, 'a'))->size(), 259u);
}

TEST(DeviceFolder, DropsOneLeadingBackslashOfTheSystemFolder) {
    EXPECT_EQ(common::DeviceFolder('E', "\\System"), "E:\\System");
    EXPECT_EQ(common::DeviceFolder('E', "System"), "E:\\System");
    EXPECT_EQ(common::DeviceFolder('E', "\\\\System"), "E:\\\\System");
    EXPECT_EQ(common::DeviceFolder('G', ""), "G:\\");
    EXPECT_EQ(common::DriveRoot('E'), "E:\\");
    EXPECT_FALSE(common::DeviceFolder('E', std::string(257, 'a')).has_value());
}

TEST(PathParts, SplitAtTheLastBackslash) {
    EXPECT_EQ(common::FolderPart("Data\\Sub\\*.mp3"), "Data\\Sub");
    EXPECT_EQ(common::FolderPart("*.mp3"), "");
    EXPECT_EQ(common::FolderPart("\\*.mp3"), "");
    EXPECT_EQ(common::NamePart("Data\\Sub\\kvq.exe"), "kvq.exe");
    EXPECT_EQ(common::NamePart("kvq.exe"), "kvq.exe");
    EXPECT_EQ(common::DropLeadingBackslash("\\kvq.exe"), "kvq.exe");
    EXPECT_EQ(common::DropLeadingBackslash("\\\\kvq.exe"), "\\kvq.exe");
}

TEST(IsContainedRelativePath, RefusesPathsThatLeaveTheirFolder) {
    struct Case {
        const char* path;
        bool contained;
    } const cases[] = {
        {"kvq.exe", true},        {"\\Data\\a.bin", true}, {"Data\\*.*", true},
        {"a..b\\c", true},        {"..\\a", false},        {"Data\\..\\..\\a", false},
        {"Data\\..", false},      {"Data/../a", false},    {"C:\\a", false},
        {"C:a", false},           {"a:b", false},          {"\\\\server\\a", false},
        {"Data\\... \\a", false}, {"Data\\.. \\a", false}, {"Data\\...x", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(common::IsContainedRelativePath(c.path), c.contained) << c.path;
    }
}

TEST(EqualsNoCase, FoldsAsciiLettersOnly) {
    EXPECT_TRUE(common::EqualsNoCase("Velmora ", "VELMORA "));
    EXPECT_FALSE(common::EqualsNoCase("Velmora ", "VELMORA"));
    EXPECT_FALSE(common::EqualsNoCase("\xe9", "\xc9"));
    std::string text = "QDAV3180.MI4\xc9";
    common::ToLowerAscii(text);
    EXPECT_EQ(text, "qdav3180.mi4\xc9");
}

}  // namespace
