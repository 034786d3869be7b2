#include "app/version_tag.h"

#include <cstring>

namespace {

constexpr std::uint32_t kHeaderSize = 64;
constexpr std::size_t kTagOffset = 40;
constexpr std::size_t kTagSize = 8;

}  // namespace

int ReadVersionTag(platform::File& file, char* version) {
    if (version == nullptr || !file.IsOpen()) return 0;
    char header[kHeaderSize];
    try {
        file.SeekToBegin();
        if (file.Read(header, kHeaderSize) < kHeaderSize) return 0;
    } catch (const platform::FileException&) {
        return 0;
    }
    char tag[kTagSize + 1] = {};
    std::memcpy(tag, header + kTagOffset, kTagSize);  // a NUL among the bytes ends the text
    if (tag[0] != 'v' && tag[0] != 'V') return 0;
    std::memcpy(version, tag, std::strlen(tag) + 1);
    return 1;
}
