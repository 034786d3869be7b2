#include "engine/firmware_image.h"

#include <cstring>

#include "firmware/firmware_image_writer.h"
#include "firmware/mkfirmware_options.h"
#include "support/sim_fixture.h"

namespace {

using fwtool::FirmwareHeader;

class FirmwareImage : public test::SimFixture {
  protected:
    // Writes the image on C: and reads it back; `version` starts as "zzzzzzz".
    int Read(const FirmwareHeader& header, std::size_t size, char (&version)[8]) {
        test::WriteHostFile(Host("C:\\Fw\\QDAV3180.mi4"), fwtool::ImageBytes(header, size));
        std::memcpy(version, "zzzzzzz", 8);
        platform::File file;
        EXPECT_TRUE(file.Open("C:\\Fw\\QDAV3180.mi4", platform::File::modeRead));
        return ReadFirmwareVersion(file, version);
    }
};

FirmwareHeader With(std::string signature, std::string tag, std::string version) {
    return FirmwareHeader{std::move(signature), std::move(tag), std::move(version)};
}

TEST_F(FirmwareImage, ReadFirmwareVersionBoundaries) {
    struct Case {
        const char* what;
        FirmwareHeader header;
        std::size_t size;
        const char* version;  // null: refused
    } const cases[] = {
        {"whole block", With("portalplayer", "QN01", "3.180"), 672, "3.180"},
        {"one byte short", With("portalplayer", "QN01", "3.180"), 671, nullptr},
        {"no block", With("portalplayer", "QN01", "3.180"), 544, nullptr},
        {"empty file", With("portalplayer", "QN01", "3.180"), 0, nullptr},
        {"signature case", With("PortalPLAYER", "QN02", "3.200"), 4096, "3.200"},
        {"other signature", With("portalplayes", "QN01", "3.180"), 4096, nullptr},
        {"short signature", With("portalplay", "QN01", "3.180"), 4096, nullptr},
        {"lower-case tag", With("portalplayer", "qn01", "3.180"), 4096, nullptr},
        {"other tag", With("portalplayer", "QN03", "3.180"), 4096, nullptr},
        {"short tag", With("portalplayer", "QN0", "3.180"), 4096, nullptr},
        {"zero third byte",
         With("portalplayer", "QN01",
              std::string("3.\0"
                          "80",
                          5)),
         700, "3."},
        {"zero first byte",
         With("portalplayer", "QN01",
              std::string("\0"
                          "1234",
                          5)),
         700, ""},
    };
    for (const auto& c : cases) {
        char version[8];
        const int result = Read(c.header, c.size, version);
        if (c.version == nullptr) {
            EXPECT_EQ(result, 0) << c.what;
            EXPECT_STREQ(version, "zzzzzzz") << c.what;  // left unchanged
            continue;
        }
        EXPECT_EQ(result, 1) << c.what;
        EXPECT_STREQ(version, c.version) << c.what;
        // Only the text and its terminator are written.
        EXPECT_EQ(std::string(version + std::strlen(c.version) + 1),
                  std::string(6 - std::strlen(c.version), 'z'))
            << c.what;
    }
}

TEST_F(FirmwareImage, ReadFirmwareVersionWithoutFileOrBuffer) {
    platform::File closed;
    char version[6] = "abcd";
    EXPECT_EQ(ReadFirmwareVersion(closed, version), 0);
    EXPECT_STREQ(version, "abcd");
    test::WriteHostFile(Host("C:\\QDAV3180.mi4"), fwtool::ImageBytes(FirmwareHeader{}, 700));
    platform::File file;
    ASSERT_TRUE(file.Open("C:\\QDAV3180.mi4", platform::File::modeRead));
    EXPECT_EQ(ReadFirmwareVersion(file, nullptr), 0);
}

TEST(FirmwareImageWriter, FieldsAtTheirOffsetsAndFillerElsewhere) {
    const std::string image = fwtool::ImageBytes(With("portalplayer", "QN02", "3.1"), 1000);
    ASSERT_EQ(image.size(), 1000u);
    EXPECT_EQ(image.substr(544, 12), "portalplayer");
    EXPECT_EQ(image.substr(602, 4), "QN02");
    EXPECT_EQ(image.substr(607, 5), std::string("3.1\0\0", 5));
    for (std::size_t i = 0; i < image.size(); ++i) {
        const bool field = (i >= 544 && i < 556) || (i >= 602 && i < 606) || (i >= 607 && i < 612);
        if (!field) {
            ASSERT_EQ(image[i], fwtool::FillerByte(i)) << i;
        }
    }
    // A cut image is the first bytes of the whole one.
    EXPECT_EQ(fwtool::ImageBytes(With("portalplayer", "QN02", "3.1"), 600), image.substr(0, 600));
}

TEST(FirmwareImageWriter, WritesTheImageByteForByteAcrossChunks) {
    test::TempDir temp;
    const std::string path = temp.PathOf("QDAV3180.mi4");
    const std::uint64_t size = (1 << 16) * 2 + 10;
    std::string error;
    ASSERT_TRUE(fwtool::WriteImage(path, FirmwareHeader{}, size, error)) << error;
    EXPECT_EQ(test::ReadHostFile(path), fwtool::ImageBytes(FirmwareHeader{}, size));
    EXPECT_FALSE(fwtool::WriteImage(temp.PathOf("none/x.mi4"), FirmwareHeader{}, 10, error));
    EXPECT_NE(error.find("none/x.mi4"), std::string::npos);
}

TEST(FirmwareImageWriter, CommandLine) {
    struct Case {
        std::vector<std::string> args;
        const char* error;  // a part of the message; null: accepted
    } const cases[] = {
        {{"--version", "3.180", "--size", "64K", "--tag", "QN02", "-o", "out"}, nullptr},
        {{"--help"}, nullptr},
        {{"--size", "1024"}, "no firmware version"},
        {{"--version", "3.1800"}, "longer than 5 bytes"},
        {{"--version", "1", "--tag", "QN001"}, "longer than 4 bytes"},
        {{"--version", "1", "--signature", "portalplayer!"}, "longer than 12 bytes"},
        {{"--version", "1", "--size", "12KB"}, "byte count"},
        {{"--version", "1", "--size", "4G"}, "more than a FAT32 file holds"},
        {{"--version", "1", "--size", "99999999999999999999"}, "byte count"},
        {{"--version"}, "needs a value"},
        {{"--version", "1", "--colour", "x"}, "unknown option --colour"},
        {{"--version", "1", "extra"}, "unexpected argument"},
    };
    for (const auto& c : cases) {
        fwtool::MkFirmwareOptions options;
        std::string error;
        const bool ok = fwtool::ParseMkFirmwareArguments(c.args, options, error);
        EXPECT_EQ(ok, c.error == nullptr) << c.args[0] << " " << error;
        if (c.error) {
            EXPECT_NE(error.find(c.error), std::string::npos) << error;
        }
    }
    fwtool::MkFirmwareOptions options;
    std::string error;
    ASSERT_TRUE(fwtool::ParseMkFirmwareArguments(
        {"--version", "3.180", "--size", "2M", "--tag", "QN02", "-o", "x.mi4"}, options, error));
    EXPECT_EQ(options.size, 2u << 20);
    EXPECT_EQ(options.header.hardwareTag, "QN02");
    EXPECT_EQ(options.output, "x.mi4");
    EXPECT_EQ(fwtool::ParseSize("4294967295"), 4294967295u);
    EXPECT_EQ(fwtool::ParseSize(""), std::nullopt);
}

}  // namespace
