#include "sysfiles/sysfile_header.h"

#include <cmath>
#include <cstring>

#include "sysfiles_fixture.h"

namespace {

struct VersionCase {
    const char* text;
    float version;
};

TEST(SysFileHeader, VersionTexts) {
    const VersionCase cases[] = {
        {"v1.23", 1.23f},   {"V2", 2.0f},     {"v 1.5", 1.5f},  {"v-3", -3.0f}, {"v+4.5", 4.5f},
        {"v", 0.0f},        {"vx1", 0.0f},    {"1.23", -1.0f},  {"", -1.0f},    {"v1e2", 100.0f},
        {"v1e", 1.0f},      {"v.5", 0.5f},    {"v1.2.3", 1.2f}, {"vinf", 0.0f}, {"v0x10", 0.0f},
        {"v2.00abc", 2.0f}, {"v1e-99", 0.0f}, {"v-", 0.0f},     {"v\t7", 7.0f}, {"v1.5 ", 1.5f},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseVersionText(c.text), c.version) << c.text;
    }
    EXPECT_TRUE(std::isinf(ParseVersionText("v9e99")));
}

struct NameCase {
    const char* name;
    std::size_t padding;
    char fill;
    const char* parsed;
};

TEST(SysFileHeader, FieldsAtTheirOffsets) {
    const NameCase cases[] = {
        {"KVQ.EXE", 0, ' ', "KVQ.EXE"},
        {"KVQ.EXE", 3, '\0', "KVQ.EXE"},  // zero padding before the name is skipped
        {"KVQ.EXE", 2, ' ', "KVQ.EXE"},   // so is blank padding
        {"ABCDEFGHIJKL", 0, ' ', "ABCDEFGHIJKL"},
        {"_kvq.exe", 0, ' ', "kvq.exe"},  // text from the first letter or digit on
        {"----", 0, ' ', "----"},         // none: all twelve bytes, trimmed
    };
    for (const auto& c : cases) {
        sftool::HeaderFields fields;
        fields.name = c.name;
        fields.namePadding = c.padding;
        fields.fill = c.fill;
        fields.longText = "Zarn Jukebox 20";
        fields.shortText = "build 7";
        fields.version = "v2.50";
        fields.tag = "ZJ20";
        fields.field56 = {1, 2, 3, 4};
        fields.field60 = {5, 6, 7, 8};
        sftool::Bytes bytes;
        std::string error;
        ASSERT_TRUE(sftool::MakeSysFileHeader(fields, bytes, error)) << error;
        ASSERT_EQ(bytes.size(), 64u);
        const tagSYSFILEHEADER header = ParseSysFileHeader(bytes.data());
        EXPECT_STREQ(header.name, c.parsed) << c.name;
        EXPECT_EQ(header.version, 2.5f);
        EXPECT_STREQ(header.tag, "ZJ20");
        EXPECT_STREQ(header.shortText, "build 7");
        if (c.fill == ' ') {
            EXPECT_STREQ(header.longText, "Zarn Jukebox 20 ");  // not trimmed
        }
        EXPECT_EQ(std::memcmp(header.field56, "\1\2\3\4", 4), 0);
        EXPECT_EQ(std::memcmp(header.field60, "\5\6\7\10", 4), 0);
    }
}

class ReadHeader : public test::SysFilesFixture {};

TEST_F(ReadHeader, NeedsSixtyFourBytesFromTheStart) {
    const sftool::Bytes file = SystemFile("KVQ.EXE", "v1.10", "ZJ20");
    Put("C:\\full.exe", file);
    Put("C:\\short.exe", sftool::Bytes(file.begin(), file.begin() + 63));
    tagSYSFILEHEADER header;
    platform::File full, shortFile, closed;
    ASSERT_TRUE(full.Open("C:\\full.exe", platform::File::modeRead));
    ASSERT_TRUE(shortFile.Open("C:\\short.exe", platform::File::modeRead));
    full.Seek(100, platform::File::begin);  // read from the start wherever the file stands
    EXPECT_EQ(ReadSysFileHeader(full, &header), 1);
    EXPECT_STREQ(header.name, "KVQ.EXE");
    EXPECT_EQ(header.version, 1.1f);
    EXPECT_EQ(ReadSysFileHeader(shortFile, &header), 0);
    EXPECT_EQ(ReadSysFileHeader(closed, &header), 0);
    EXPECT_EQ(ReadSysFileHeader(full, nullptr), 0);
    machine_.FindDrive('C')->present = false;  // a read that fails is no header either
    EXPECT_EQ(ReadSysFileHeader(full, &header), 0);
}

}  // namespace
