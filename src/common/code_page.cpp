#include "common/code_page.h"

#include <cstdint>

namespace common {
namespace {

// Windows-1252 from 80h to 9Fh; its five unassigned bytes stand for the C1 controls of the
// same value, as Windows maps them.
constexpr char32_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t CharacterOf(std::uint8_t byte) {
    return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : char32_t{byte};
}

std::optional<std::uint8_t> ByteOf(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<std::uint8_t>(c);
    for (std::uint8_t i = 0; i < 32; ++i) {
        if (kHigh[i] == c) return static_cast<std::uint8_t>(0x80 + i);
    }
    return std::nullopt;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The next character of UTF-8 text, or none for a malformed sequence.
std::optional<char32_t> NextCharacter(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<std::uint8_t>(text[at++]);
    if (lead < 0x80) return lead;
    int more = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (more < 0 || lead > 0xF4) return std::nullopt;
    char32_t c = lead & (0x3F >> more);
    for (; more > 0; --more) {
        if (at >= text.size()) return std::nullopt;
        const auto next = static_cast<std::uint8_t>(text[at++]);
        if ((next & 0xC0) != 0x80) return std::nullopt;
        c = (c << 6) | (next & 0x3F);
    }
    return c;
}

}  // namespace

std::string CodePageToUtf8(std::string_view bytes) {
    std::string out;
    for (char byte : bytes) AppendUtf8(out, CharacterOf(static_cast<std::uint8_t>(byte)));
    return out;
}

std::optional<std::string> Utf8ToCodePage(std::string_view text) {
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        const auto c = NextCharacter(text, at);
        if (!c) return std::nullopt;
        const auto byte = ByteOf(*c);
        if (!byte) return std::nullopt;
        out += static_cast<char>(*byte);
    }
    return out;
}

}  // namespace common
