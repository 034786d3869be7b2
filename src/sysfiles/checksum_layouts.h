// Reading a checksum file back into the plain content of its system file, in either layout.
// A result of exactly kExtracted means the whole file passed its checks and was written.
#pragma once

#include <cstdint>

#include "platform/file.h"

enum ExtractResult : int {
    kExtracted = 1,
    kChecksumRejected = 0,  // the checksum file failed a check: it is of no use
    kOutputFailed = -1,     // the output took fewer bytes than given: the checksum file may be fine
};

// Record layout: a 65-byte head block, records of a count byte n (1-127) and 2n bytes, an end
// mark 0 and at most 32 unchecked tail bytes.
constexpr std::uint32_t kHeadBlockSize = 65;
constexpr std::uint32_t kHeadContentSize = 64;
constexpr unsigned kMaxRecordCount = 127;
constexpr std::uint32_t kMaxTailSize = 32;
int ExtractRecordLayout(platform::File& checksum, platform::File& output);

// Single-sum layout: at most 1025 bytes, the content and one sum byte.
constexpr std::uint32_t kMaxSingleSumSize = 1025;
int ExtractSingleSumLayout(platform::File& checksum, platform::File& output);
