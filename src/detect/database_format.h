// The versions of the supported-devices database file, oldest first. Each version only adds
// fields, so "version 4.00 and later" is an ordered comparison.
#pragma once

#include <optional>
#include <string_view>

namespace detect {

enum class DatabaseVersion {
    v1_00,
    v2_02,
    v3_01,
    v4_00,
    v5_00,
    v6_00,
    v7_01,
    v8_00,
    v9_00,
};

constexpr std::size_t kDatabaseMagicSize = 32;

// The version whose magic the text is, compared without regard to case.
std::optional<DatabaseVersion> DatabaseVersionOfMagic(std::string_view text);

}  // namespace detect
