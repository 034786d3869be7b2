#include "common/code_page_case.h"

#include <array>
#include <cstdint>

namespace common {
namespace {

constexpr std::uint8_t CapitalOf(std::uint8_t byte) {
    if (byte >= 'a' && byte <= 'z') return byte - 0x20;
    // à..þ to À..Þ; F7h (÷) is no letter, and ß (DFh) has no capital.
    if (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7) return byte - 0x20;
    switch (byte) {
        case 0x9A:  // š
        case 0x9C:  // œ
        case 0x9E:  // ž
            return byte - 0x10;
        case 0xFF:  // ÿ
            return 0x9F;
        default:
            return byte;
    }
}

constexpr std::array<std::uint8_t, 256> kCapitals = [] {
    std::array<std::uint8_t, 256> capitals{};
    for (int byte = 0; byte < 256; ++byte) {
        capitals[byte] = CapitalOf(static_cast<std::uint8_t>(byte));
    }
    return capitals;
}();

std::uint8_t Capital(char c) {
    return kCapitals[static_cast<std::uint8_t>(c)];
}

}  // namespace

char ToUpperCodePage(char c) {
    return static_cast<char>(Capital(c));
}

bool EqualsNoCaseCodePage(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Capital(a[i]) != Capital(b[i])) return false;
    }
    return true;
}

bool EqualsNoCaseCodePage(std::string_view a, const char* b, std::size_t capacity) {
    std::size_t i = 0;
    for (; i < a.size(); ++i) {
        // A zero in `a` can't match the end of `b`: the lengths differ.
        if (i == capacity || b[i] == '\0' || Capital(a[i]) != Capital(b[i])) return false;
    }
    return i == capacity || b[i] == '\0';
}

}  // namespace common
