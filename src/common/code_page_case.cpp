#include "common/code_page_case.h"

#include <cstdint>

namespace common {

char ToUpperCodePage(char c) {
    const auto byte = static_cast<std::uint8_t>(c);
    if (byte >= 'a' && byte <= 'z') return static_cast<char>(byte - 0x20);
    // à..þ to À..Þ; F7h (÷) is no letter, and ß (DFh) has no capital.
    if (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7) return static_cast<char>(byte - 0x20);
    switch (byte) {
        case 0x9A:  // š
        case 0x9C:  // œ
        case 0x9E:  // ž
            return static_cast<char>(byte - 0x10);
        case 0xFF:  // ÿ
            return static_cast<char>(0x9F);
        default:
            return c;
    }
}

bool EqualsNoCaseCodePage(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (ToUpperCodePage(a[i]) != ToUpperCodePage(b[i])) return false;
    }
    return true;
}

}  // namespace common
