#include "firmware/firmware_image_writer.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>

namespace fwtool {
namespace {

constexpr std::size_t kChunk = 1 << 16;

void PutField(std::string& block, std::size_t offset, std::size_t size, const std::string& text) {
    std::string field = text.substr(0, size);
    field.resize(size, '\0');
    block.replace(offset, size, field);
}

std::string CheckField(const char* name, const std::string& text, std::size_t size) {
    if (text.size() <= size) return {};
    return std::string(name) + " \"" + text + "\" is longer than " + std::to_string(size) +
           " bytes";
}

}  // namespace

std::string CheckHeader(const FirmwareHeader& header) {
    for (const auto& problem : {CheckField("signature", header.signature, kSignatureSize),
                                CheckField("hardware tag", header.hardwareTag, kTagSize),
                                CheckField("version", header.version, kVersionSize)}) {
        if (!problem.empty()) return problem;
    }
    return {};
}

char FillerByte(std::uint64_t offset) {
    return static_cast<char>((offset * 37 + 11) % 251);
}

std::string HeaderBlock(const FirmwareHeader& header) {
    std::string block(kHeaderSize, '\0');
    for (std::size_t i = 0; i < kHeaderSize; ++i) block[i] = FillerByte(kHeaderOffset + i);
    PutField(block, kSignatureOffset, kSignatureSize, header.signature);
    PutField(block, kTagOffset, kTagSize, header.hardwareTag);
    PutField(block, kVersionOffset, kVersionSize, header.version);
    return block;
}

std::string ImageBytesAt(const FirmwareHeader& header, std::uint64_t offset, std::size_t length) {
    std::string bytes(length, '\0');
    for (std::size_t i = 0; i < length; ++i) bytes[i] = FillerByte(offset + i);
    const std::uint64_t end = offset + length;
    const std::uint64_t from = std::max(offset, kHeaderOffset);
    const std::uint64_t to = std::min(end, kSmallestWholeImage);
    if (from < to) {
        const std::string block = HeaderBlock(header);
        bytes.replace(from - offset, to - from, block, from - kHeaderOffset, to - from);
    }
    return bytes;
}

bool WriteImage(const std::string& hostPath, const FirmwareHeader& header, std::uint64_t size,
                std::string& error) {
    std::ofstream out(hostPath, std::ios::binary | std::ios::trunc);
    if (!out) {
        error = hostPath + ": cannot be created: " + std::strerror(errno);
        return false;
    }
    for (std::uint64_t offset = 0; offset < size; offset += kChunk) {
        const auto length =
            static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, size - offset));
        const std::string bytes = ImageBytesAt(header, offset, length);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) break;
    }
    out.close();
    if (!out) {
        error = hostPath + ": cannot be written: " + std::strerror(errno);
        return false;
    }
    return true;
}

}  // namespace fwtool
