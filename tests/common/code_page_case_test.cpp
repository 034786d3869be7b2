#include "common/code_page_case.h"

#include <gtest/gtest.h>

namespace {

// Every byte's capital in Windows-1252: the ASCII letters, the accented letters E0h-FEh
// but F7h, and the four pairs of the 80h-9Fh range; every other byte is its own capital.
TEST(CodePageCase, EveryByteHasItsCapital) {
    for (int byte = 0; byte < 256; ++byte) {
        int capital = byte;
        if ((byte >= 'a' && byte <= 'z') || (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7)) {
            capital = byte - 0x20;
        } else if (byte == 0x9A || byte == 0x9C || byte == 0x9E) {
            capital = byte - 0x10;
        } else if (byte == 0xFF) {
            capital = 0x9F;
        }
        EXPECT_EQ(static_cast<unsigned char>(common::ToUpperCodePage(static_cast<char>(byte))),
                  capital)
            << "byte " << byte;
    }
}

TEST(CodePageCase, TextsCompareWholeWithoutRegardToCase) {
    EXPECT_TRUE(common::EqualsNoCaseCodePage("Velmora ", "VELMORA "));
    EXPECT_TRUE(common::EqualsNoCaseCodePage("Z\xE4hler \x9A", "Z\xC4HLER \x8A"));
    EXPECT_FALSE(common::EqualsNoCaseCodePage("Velmora ", "Velmora"));
    EXPECT_FALSE(common::EqualsNoCaseCodePage("\xD7", "\xF7"));
    EXPECT_FALSE(common::EqualsNoCaseCodePage("\xDF", "\xFF"));
    EXPECT_TRUE(common::EqualsNoCaseCodePage("", ""));
}

// Against a field of fixed size: the field ends at its zero or at its last byte.
TEST(CodePageCase, FieldsEndAtTheirZeroOrTheirSize) {
    const char full[4] = {'a', 'b', 'c', 'd'};  // no zero
    const char shorter[4] = {'a', 'b', 0, 'x'};
    const struct {
        std::string_view text;
        const char* field;
        std::size_t capacity;
        bool equal;
    } cases[] = {
        {"ABCD", full, 4, true},    {"ABC", full, 4, false},
        {"ABCDE", full, 4, false},  {"ABC", full, 3, true},
        {"AB", shorter, 4, true},   {"ABX", shorter, 4, false},
        {"A", shorter, 4, false},   {std::string_view("ab\0x", 4), shorter, 4, false},
        {"", shorter + 2, 2, true}, {"", full, 0, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(common::EqualsNoCaseCodePage(c.text, c.field, c.capacity), c.equal)
            << c.text << " in " << c.capacity;
    }
    char entryField[9] = "Velmora ";
    EXPECT_TRUE(common::EqualsNoCaseCodePage("VELMORA ", entryField));
    EXPECT_FALSE(common::EqualsNoCaseCodePage("VELMORA", entryField));
}

}  // namespace
