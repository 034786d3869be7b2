// The 64-byte header in front of a system file's content: its name at bytes 4-15, a
// 16-character text at 16, an 8-character text at 32, the version text ("v1.23") at 40 and
// the tag at 48; bytes 0-3 and 56-63 as given.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace sftool {

using Bytes = std::vector<std::uint8_t>;

struct HeaderFields {
    std::string name;               // at most 12 characters, after `namePadding` padding bytes
    std::size_t namePadding = 0;    // bytes before the name, inside bytes 4-15
    std::string longText;           // at most 16 characters
    std::string shortText;          // at most 8 characters
    std::string version = "v1.00";  // at most 8 characters
    std::string tag;                // at most 8 characters
    char fill = ' ';                // what follows each text in its field (and the padding)
    std::array<std::uint8_t, 4> lead{};
    std::array<std::uint8_t, 4> field56{};
    std::array<std::uint8_t, 4> field60{};
};

constexpr std::size_t kHeaderSize = 64;

// The 64 header bytes; false with a message when a field doesn't fit.
bool MakeSysFileHeader(const HeaderFields& fields, Bytes& header, std::string& error);

}  // namespace sftool
