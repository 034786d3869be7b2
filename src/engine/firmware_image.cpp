#include "engine/firmware_image.h"

#include <array>
#include <cstring>
#include <exception>
#include <string_view>

#include "platform/ascii.h"

namespace {

constexpr std::int64_t kHeaderOffset = 544;
constexpr std::uint32_t kHeaderSize = 128;
constexpr std::size_t kTagOffset = 58;
constexpr std::size_t kVersionOffset = 63;
constexpr std::size_t kVersionLength = 5;

using Header = std::array<char, kHeaderSize>;

bool HasSignature(const Header& header) {
    return platform::EqualsNoCase(std::string_view(header.data(), 12), "portalplayer");
}

bool HasKnownTag(const Header& header) {
    const char* tag = header.data() + kTagOffset;
    return std::memcmp(tag, "QN01", 4) == 0 || std::memcmp(tag, "QN02", 4) == 0;
}

}  // namespace

int ReadFirmwareVersion(platform::File& file, char* version) {
    if (version == nullptr || !file.IsOpen()) return 0;
    try {
        Header header{};
        file.Seek(kHeaderOffset, platform::File::begin);
        if (file.Read(header.data(), kHeaderSize) < kHeaderSize) return 0;
        if (!HasSignature(header) || !HasKnownTag(header)) return 0;
        // The field is text: a zero among its five bytes ends it early.
        char text[kVersionLength + 1] = {};
        std::memcpy(text, header.data() + kVersionOffset, kVersionLength);
        std::memcpy(version, text, std::strlen(text) + 1);
        return 1;
    } catch (const std::exception&) {
        return 0;
    }
}
