#include "sysfile/checksum_writer.h"

#include <random>

namespace sftool {
namespace {

constexpr std::size_t kHeadSize = 64;
constexpr unsigned kMaxCount = 127;
constexpr std::size_t kMaxTail = 32;
constexpr std::size_t kMaxSingleSumContent = 1024;

void AppendBlock(Bytes& file, const std::uint8_t* bytes, std::size_t count, bool broken) {
    file.insert(file.end(), bytes, bytes + count);
    file.push_back(static_cast<std::uint8_t>(SumByte(bytes, count) + (broken ? 1 : 0)));
}

std::string At(std::size_t offset) {
    return " at content offset " + std::to_string(offset);
}

}  // namespace

std::uint8_t SumByte(const std::uint8_t* bytes, std::size_t count) {
    std::uint8_t sum = 0;
    for (std::size_t i = 0; i < count; ++i) sum = static_cast<std::uint8_t>(sum + bytes[i]);
    return static_cast<std::uint8_t>(-sum);
}

bool WriteRecordLayout(const Bytes& content, const RecordLayoutOptions& options, Bytes& file,
                       std::string& error) {
    file.clear();
    if (content.size() < kHeadSize) {
        error = "content of " + std::to_string(content.size()) + " bytes is shorter than 64";
        return false;
    }
    AppendBlock(file, content.data(), kHeadSize, options.breakHeadSum);
    std::size_t at = kHeadSize;
    for (std::size_t record = 0; at < content.size(); ++record) {
        const unsigned count = content[at];
        if (count == 0) {
            const std::size_t tail = content.size() - at - 1;
            if (tail > kMaxTail && !options.allowLongTail) {
                error = "tail of " + std::to_string(tail) + " bytes after the end mark" + At(at) +
                        " is longer than 32";
                return false;
            }
            if (!options.omitEndMark) file.insert(file.end(), content.begin() + at, content.end());
            return true;
        }
        if (count > kMaxCount && !options.allowAnyCount) {
            error = "count byte " + std::to_string(count) + At(at) + " is above 127";
            return false;
        }
        if (at + 2 * count > content.size()) {
            error = "record of count " + std::to_string(count) + At(at) + " runs past the end";
            return false;
        }
        AppendBlock(file, content.data() + at, 2 * count, options.breakRecordSum == record);
        at += 2 * count;
    }
    if (!options.omitEndMark) {
        error = "content has no end mark (a zero byte where a record would start)";
        return false;
    }
    return true;
}

bool WriteSingleSumLayout(const Bytes& content, const SingleSumOptions& options, Bytes& file,
                          std::string& error) {
    file.clear();
    if (content.size() > kMaxSingleSumContent && !options.allowOversize) {
        error = "content of " + std::to_string(content.size()) + " bytes is longer than 1024";
        return false;
    }
    AppendBlock(file, content.data(), content.size(), options.breakSum);
    return true;
}

Bytes MakeRecordContent(const Bytes& head, std::size_t recordBytes, std::size_t tailBytes,
                        std::uint32_t seed) {
    std::mt19937 random(seed);
    auto next = [&random](unsigned low, unsigned high) {
        return static_cast<std::uint8_t>(
            std::uniform_int_distribution<unsigned>(low, high)(random));
    };
    Bytes content(head.begin(),
                  head.begin() + static_cast<std::ptrdiff_t>(std::min(head.size(), kHeadSize)));
    content.resize(kHeadSize, 0);
    for (std::size_t left = recordBytes / 2; left > 0;) {
        const unsigned count = std::min<std::size_t>(next(1, kMaxCount), left);
        content.push_back(static_cast<std::uint8_t>(count));
        for (unsigned i = 1; i < 2 * count; ++i) content.push_back(next(0, 255));
        left -= count;
    }
    content.push_back(0);
    for (std::size_t i = 0; i < tailBytes; ++i) content.push_back(next(0, 255));
    return content;
}

}  // namespace sftool
