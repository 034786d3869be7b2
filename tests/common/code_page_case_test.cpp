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

}  // namespace
