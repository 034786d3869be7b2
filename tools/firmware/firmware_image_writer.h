// Writes firmware images "QDAV3180.mi4" for tests and the demo: filler bytes with the
// 128-byte version header block at byte 544, fields written byte for byte (also wrong ones).
#pragma once

#include <cstdint>
#include <string>

namespace fwtool {

constexpr const char* kImageName = "QDAV3180.mi4";
constexpr std::uint64_t kHeaderOffset = 544;
constexpr std::size_t kHeaderSize = 128;
constexpr std::size_t kSignatureOffset = 0, kSignatureSize = 12;
constexpr std::size_t kTagOffset = 58, kTagSize = 4;
constexpr std::size_t kVersionOffset = 63, kVersionSize = 5;
// The smallest image whose header block is whole.
constexpr std::uint64_t kSmallestWholeImage = kHeaderOffset + kHeaderSize;
// A FAT32 file holds at most this many bytes.
constexpr std::uint64_t kLargestImage = 0xFFFFFFFFull;

struct FirmwareHeader {
    std::string signature = "portalplayer";  // up to 12 bytes
    std::string hardwareTag = "QN01";        // up to 4 bytes
    std::string version = "1.000";           // up to 5 bytes; zero bytes may be among them
};

// Empty when every field fits its place, else what doesn't.
std::string CheckHeader(const FirmwareHeader& header);

// The filler byte at an offset of the image (also in the block's unread parts).
char FillerByte(std::uint64_t offset);

// The 128-byte block: each field at its offset, zero-padded to its size, filler elsewhere.
// Fields longer than their place are cut (CheckHeader tells).
std::string HeaderBlock(const FirmwareHeader& header);

// `length` bytes of the image from `offset`.
std::string ImageBytesAt(const FirmwareHeader& header, std::uint64_t offset, std::size_t length);

// The first `size` bytes of the image: an image shorter than 672 bytes has a cut block.
inline std::string ImageBytes(const FirmwareHeader& header, std::size_t size) {
    return ImageBytesAt(header, 0, size);
}

// False with `error` naming the file and the cause when it can't be written whole.
bool WriteImage(const std::string& hostPath, const FirmwareHeader& header, std::uint64_t size,
                std::string& error);

}  // namespace fwtool
