// The 64-byte version header at the start of a system file whose entry compares versions.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/file.h"

constexpr std::uint32_t kSysFileHeaderSize = 64;

struct tagSYSFILEHEADER {
    char name[13] = {};      // bytes 4-15 from their first letter or digit on, trimmed
    char longText[17] = {};  // bytes 16-31 as they are
    char shortText[9] = {};  // bytes 32-39, trimmed
    char tag[9] = {};        // bytes 48-55, trimmed
    std::uint8_t field56[4] = {};
    std::uint8_t field60[4] = {};
    float version = -1.0f;  // the number after the 'v' at byte 40; -1 without the letter
};

// 1 when 64 bytes could be read from the start of the file and parsed into `header`, else 0
// (also for a null record, a file that isn't open, or a file exception).
int ReadSysFileHeader(platform::File& file, tagSYSFILEHEADER* header);

// The fields of 64 header bytes.
tagSYSFILEHEADER ParseSysFileHeader(const std::uint8_t* bytes);

// The version of a version text ("v1.23"): the decimal number after a leading 'v' or 'V'
// (leading blanks, a sign, digits, a point and an exponent; 0 when none is there), or -1
// when the text doesn't start with the letter.
float ParseVersionText(std::string_view text);
