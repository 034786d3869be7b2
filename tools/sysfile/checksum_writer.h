// Checksum files as a player writes them beside its system files, for the tests and the demo:
// 8-bit additive sums (a protected block adds up to 0 modulo 256) in one of two layouts.
// Options break them on purpose.
//
// Record layout: the first 64 content bytes and a sum byte; then records, each a count byte n
// (1-127) that is content itself, 2n - 1 further content bytes and a sum byte; an end mark 0;
// at most 32 unchecked tail bytes. Content that a checksum file can carry therefore has that
// shape: 64 bytes, runs of 2n bytes that begin with n, a zero byte, a short tail.
//
// Single-sum layout: the content (at most 1024 bytes) and one sum byte.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "sysfile/header_writer.h"

namespace sftool {

struct RecordLayoutOptions {
    bool breakHeadSum = false;                  // the head block's sum is off by one
    std::optional<std::size_t> breakRecordSum;  // that record's (from 0) sum is off by one
    bool omitEndMark = false;                   // the file ends after the last record
    bool allowLongTail = false;                 // a tail over 32 bytes is written whole
    bool allowAnyCount = false;                 // count bytes above 127 are written as records
};

struct SingleSumOptions {
    bool breakSum = false;       // the sum byte is off by one
    bool allowOversize = false;  // content over 1024 bytes is written whole
};

// The checksum file of `content`; false with a message when the content lacks the shape.
bool WriteRecordLayout(const Bytes& content, const RecordLayoutOptions& options, Bytes& file,
                       std::string& error);
bool WriteSingleSumLayout(const Bytes& content, const SingleSumOptions& options, Bytes& file,
                          std::string& error);

// Content of the record layout's shape: `head` (cut or padded with zeros to 64 bytes), records
// of pseudo-random counts (from `seed`) holding `recordBytes` bytes (rounded down to even),
// the end mark and `tailBytes` tail bytes.
Bytes MakeRecordContent(const Bytes& head, std::size_t recordBytes, std::size_t tailBytes,
                        std::uint32_t seed);

// The byte that makes `bytes` add up to 0 modulo 256.
std::uint8_t SumByte(const std::uint8_t* bytes, std::size_t count);

}  // namespace sftool
