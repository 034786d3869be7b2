#include "common/entry_kind.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* path;
    int kind;
};

TEST(ClassifyEntryPath, KindsAndTheirPrecedence) {
    const Case cases[] = {
        {nullptr, 0},     {"kvq.exe", 1},   {"", 1},
        {"\\Data\\", 2},  {"Data\\*\\", 2},  // the backslash test comes first
        {"Data\\*.*", 3}, {"*", 3},         {"Data\\file?.bin", 1},  // '?' makes no wildcard entry
        {"\\", 2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(common::ClassifyEntryPath(c.path), c.kind) << (c.path ? c.path : "(null)");
    }
}

}  // namespace
