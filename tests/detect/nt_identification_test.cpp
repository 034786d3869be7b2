#include "detect/nt_identification.h"

#include "detect_fixture.h"

namespace {

using namespace win32;

class NtIdentification : public test::DetectFixture {};

TEST_F(NtIdentification, IdentityStringsMatchWholeWithCodePageCaseFolding) {
    const struct {
        std::string device, entry;
        bool matches;
    } rows[] = {
        {"Velmora ", "VELMORA ", true},
        {"Velmora ", "velmora ", true},
        {"Velmora ", "Velmora", false},  // the trailing blank counts
        {"Velmora", "Velmora ", false},
        {"Z\xE4rn    ", "Z\xE4rn    ", true},
        {"Z\xE4rn    ", "Z\xC4RN    ", true},  // \xE4 and \xC4 are one letter in Windows-1252
        {"\x9A\x9C\x9E\xFF    ", "\x8A\x8C\x8E\x9F    ", true},
        {"\xD7       ", "\xF7       ", false},  // multiplication and division signs
        {"\xDF       ", "\xFF       ", false},  // sharp s has no capital
        {"", "", true},  // no vendor in the descriptor: only an empty vendorId matches
        {"", "Velmora ", false},
        {"VelmoraXYZ", "VelmoraX", true},  // at most eight characters are read
    };
    for (const auto& row : rows) {
        dbtool::Description model = test::ZarnModel();
        model.vendorId = row.entry;
        WriteDatabase({model});
        AddPlayer('E', row.device);
        EXPECT_EQ(Enumerate(), row.matches ? 1 : 0)
            << "device \"" << row.device << "\", entry \"" << row.entry << "\"";
    }
}

TEST_F(NtIdentification, TheFirstMatchingEntryInFileOrderIsCopied) {
    dbtool::Description first = test::ZarnModel("zj-20           ");
    first.displayName = "First";
    dbtool::Description second = test::ZarnModel();
    second.displayName = "Second";
    WriteDatabase({test::ZarnModel("ZJ-30           "), first, second});
    AddPlayer('E');
    ASSERT_EQ(Enumerate(), 1);
    EXPECT_STREQ(reported_.at(0).desc.displayName, "First");
    EXPECT_STREQ(reported_.at(0).desc.productId, "zj-20           ");  // the entry's own text
}

TEST(DescriptorString, StaysInsideTheBytesReturned) {
    std::vector<std::uint8_t> answer(40, 0);
    answer[12] = 30;  // vendor at 30
    answer[16] = 36;  // product at 36
    for (std::size_t i = 30; i < 40; ++i) answer[i] = static_cast<std::uint8_t>('a' + i - 30);
    answer[34] = 0;
    EXPECT_EQ(detect::DescriptorString(answer, 12, 8), "abcd");
    EXPECT_EQ(detect::DescriptorString(answer, 16, 16), "ghij");  // ends with the bytes
    EXPECT_EQ(detect::DescriptorString(answer, 16, 2), "gh");
    answer[16] = 200;
    EXPECT_EQ(detect::DescriptorString(answer, 16, 16), "");  // offset past the answer
    EXPECT_EQ(detect::DescriptorString(std::span(answer).first(14), 12, 8), "");
}

}  // namespace
