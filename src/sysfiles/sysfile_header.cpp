#include "sysfiles/sysfile_header.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "common/text_trim.h"
#include "platform/ascii.h"

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Copies up to `count` bytes, stopping at a zero byte, and terminates the text.
template <std::size_t N>
void CopyText(char (&out)[N], const std::uint8_t* from, std::size_t count) {
    static_assert(N > 0);
    if (count > N - 1) count = N - 1;
    std::size_t length = 0;
    while (length < count && from[length] != 0) ++length;
    std::memcpy(out, from, length);
    std::memset(out + length, 0, N - length);
}

// The end of the longest decimal number at `i`: digits with an optional point, then an
// exponent only when digits follow its letter. `i` itself when there are no digits.
std::size_t NumberEnd(std::string_view text, std::size_t i, bool& negativeExponent) {
    std::size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return std::string_view::npos;
    negativeExponent = false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        const bool negative = j < text.size() && text[j] == '-';
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j])) ++j;
            negativeExponent = negative;
            i = j;
        }
    }
    return i;
}

}  // namespace

float ParseVersionText(std::string_view text) {
    if (text.empty() || (text[0] != 'v' && text[0] != 'V')) return -1.0f;
    std::size_t i = 1;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    bool negativeExponent = false;
    const std::size_t end = NumberEnd(text, i, negativeExponent);
    if (end == std::string_view::npos) return 0.0f;
    float value = 0.0f;
    // from_chars reads the number the same way whatever the process's locale is.
    const auto parsed = std::from_chars(text.data() + i, text.data() + end, value);
    if (parsed.ec == std::errc::result_out_of_range) value = negativeExponent ? 0.0f : HUGE_VALF;
    return negative ? -value : value;
}

tagSYSFILEHEADER ParseSysFileHeader(const std::uint8_t* bytes) {
    tagSYSFILEHEADER header;
    std::size_t start = 4;
    while (start < 16 && !platform::IsAsciiLetter(static_cast<char>(bytes[start])) &&
           !IsDigit(static_cast<char>(bytes[start]))) {
        ++start;
    }
    if (start == 16) start = 4;  // no letter or digit: all twelve bytes
    CopyText(header.name, bytes + start, 16 - start);
    common::TrimTrailingSpace(header.name);
    CopyText(header.longText, bytes + 16, 16);
    CopyText(header.shortText, bytes + 32, 8);
    common::TrimTrailingSpace(header.shortText);
    char versionText[9];
    CopyText(versionText, bytes + 40, 8);
    header.version = ParseVersionText(versionText);
    CopyText(header.tag, bytes + 48, 8);
    common::TrimTrailingSpace(header.tag);
    std::memcpy(header.field56, bytes + 56, 4);
    std::memcpy(header.field60, bytes + 60, 4);
    return header;
}

int ReadSysFileHeader(platform::File& file, tagSYSFILEHEADER* header) {
    if (header == nullptr || !file.IsOpen()) return 0;
    try {
        std::uint8_t bytes[kSysFileHeaderSize];
        file.SeekToBegin();
        if (file.Read(bytes, kSysFileHeaderSize) < kSysFileHeaderSize) return 0;
        *header = ParseSysFileHeader(bytes);
        return 1;
    } catch (const platform::FileException&) {
        return 0;
    }
}
