#include "common/text_trim.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Case {
    std::string in;
    std::string out;
};

TEST(TrimTrailingSpace, CutsWhiteSpaceAndControlCharactersOnly) {
    const Case cases[] = {
        {"ZJ-20           ", "ZJ-20"},
        {"name \t\n\v\f\r", "name"},
        {"name\x01\x1f\x7f", "name"},
        {std::string("name\0", 5), "name"},
        {"name\xa0", "name\xa0"},  // codes 128-255 stay
        {"caf\xe9 ", "caf\xe9"},
        {"   ", ""},
        {"", ""},
        {"a b ", "a b"},
        {" lead", " lead"},
    };
    for (const Case& c : cases) {
        std::string text = c.in;
        common::TrimTrailingSpace(text);
        EXPECT_EQ(text, c.out) << '"' << c.in << '"';

        char buffer[32] = {};
        c.in.copy(buffer, c.in.size());
        common::TrimTrailingSpace(buffer);
        EXPECT_EQ(std::string(buffer), c.out) << '"' << c.in << '"';
    }
}

TEST(TrimTrailingSpace, LeavesNullAlone) {
    common::TrimTrailingSpace(static_cast<char*>(nullptr));
}

}  // namespace
