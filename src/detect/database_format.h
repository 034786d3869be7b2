// The versions of the supported-devices database file, oldest first. Each version only adds
// fields, so "version 4.00 and later" is an ordered comparison.
#pragma once

#include <cstddef>
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

// The most bytes of each text an entry's reader keeps; the rest of a longer one is skipped.
constexpr std::size_t kKeptVendorId = 8;
constexpr std::size_t kKeptProductId = 16;
constexpr std::size_t kKeptDisplayName = 255;
constexpr std::size_t kKeptSystemPath = 256;  // the system folder and each file's path
constexpr std::size_t kKeptPlaylistName = 255;

// The version whose magic the text is, compared without regard to case.
std::optional<DatabaseVersion> DatabaseVersionOfMagic(std::string_view text);

}  // namespace detect
