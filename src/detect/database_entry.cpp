#include "detect/database_entry.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "detect/byte_order.h"

namespace detect {
namespace {

// Reads the fields of one body; every read is checked against what is left of it.
class BodyReader {
  public:
    explicit BodyReader(std::span<const std::uint8_t> body) : rest_(body) {}

    bool U8(std::uint8_t& value) {
        if (rest_.empty()) return false;
        value = rest_[0];
        rest_ = rest_.subspan(1);
        return true;
    }

    bool U32(std::uint32_t& value) {
        if (rest_.size() < 4) return false;
        value = LoadLe32(rest_.data());
        rest_ = rest_.subspan(4);
        return true;
    }

    // A counted string: at most `keep` bytes go into the zero-terminated `target`.
    template <std::size_t N>
    bool Text(char (&target)[N], std::size_t keep) {
        static_assert(N > 0);
        std::uint32_t count = 0;
        if (!U32(count) || count > rest_.size()) return false;
        const std::size_t kept = std::min({static_cast<std::size_t>(count), keep, N - 1});
        // Zeros after the text, written only where the target held more: a fresh
        // description is zero but for its defaults.
        const std::size_t held = strnlen(target, N);
        std::memcpy(target, rest_.data(), kept);
        std::memset(target + kept, 0, held > kept ? held - kept : 1);
        rest_ = rest_.subspan(count);
        return true;
    }

    std::size_t Left() const { return rest_.size(); }

  private:
    std::span<const std::uint8_t> rest_;
};

bool From(DatabaseVersion version, DatabaseVersion first) {
    return version >= first;
}

bool ReadIdentity(BodyReader& in, DatabaseVersion version, tagPORTDEVDESC& entry) {
    if (!in.Text(entry.vendorId, kKeptVendorId) || !in.Text(entry.productId, kKeptProductId) ||
        !in.Text(entry.displayName, kKeptDisplayName) || !in.U32(entry.optionValue1)) {
        return false;
    }
    if (From(version, DatabaseVersion::v2_02)) {
        if (!in.U32(entry.optionFlag1) || !in.U32(entry.optionFlag2) ||
            !in.U32(entry.optionFlag3) || !in.U32(entry.queryStateFlag) ||
            !in.U32(entry.querySerialFlag)) {
            return false;
        }
    } else {
        entry.optionFlag1 = 1;
        entry.optionFlag2 = 0;
        entry.optionFlag3 = 1;
        entry.queryStateFlag = 1;
        entry.querySerialFlag = 1;
    }
    if (From(version, DatabaseVersion::v3_01)) {
        if (!in.U32(entry.optionValue2) || !in.U8(entry.identMethod)) return false;
    }
    return true;
}

bool ReadSystemFiles(BodyReader& in, DatabaseVersion version, tagPORTDEVDESC& entry) {
    if (!in.U32(entry.hasSystemFiles)) return false;
    if (entry.hasSystemFiles == 0) return true;
    std::uint32_t count = 0;
    if (!in.Text(entry.systemFolder, kKeptSystemPath) || !in.U32(count)) return false;
    // Each file needs at least eight bytes, so a wild count ends at the end of the body.
    entry.systemFiles.reserve(std::min<std::size_t>(count, in.Left() / 8));
    for (std::uint32_t i = 0; i < count; ++i) {
        auto file = std::make_unique<tagPORTDEVSYSFILE>();
        if (!in.Text(file->path, kKeptSystemPath) || !in.U32(file->versionCompare)) return false;
        if (From(version, DatabaseVersion::v7_01) && !in.U32(file->failIfExists)) return false;
        entry.systemFiles.push_back(std::move(file));
    }
    return true;
}

template <std::size_t N>
bool ReadPlaylistFolder(BodyReader& in, bool withValue, std::uint32_t& enabled, char (&name)[N],
                        std::uint32_t& value) {
    if (!in.U32(enabled)) return false;
    if (enabled == 0) return true;
    if (!in.Text(name, kKeptPlaylistName)) return false;
    return !withValue || in.U32(value);
}

bool ReadPlaylistsAndOptions(BodyReader& in, DatabaseVersion version, tagPORTDEVDESC& entry) {
    using V = DatabaseVersion;
    if (From(version, V::v4_00) &&
        !ReadPlaylistFolder(in, From(version, V::v6_00), entry.playlistFolder1Enabled,
                            entry.playlistFolder1Name, entry.playlistFolder1Value)) {
        return false;
    }
    if (From(version, V::v5_00) && !in.U32(entry.firmwareHeaderFlag)) return false;
    if (From(version, V::v7_01) &&
        (!ReadPlaylistFolder(in, true, entry.playlistFolder2Enabled, entry.playlistFolder2Name,
                             entry.playlistFolder2Value) ||
         !ReadPlaylistFolder(in, true, entry.playlistFolder3Enabled, entry.playlistFolder3Name,
                             entry.playlistFolder3Value))) {
        return false;
    }
    if (From(version, V::v8_00) && !in.U32(entry.optionValue3)) return false;
    if (From(version, V::v9_00) && !in.U32(entry.optionValue4)) return false;
    return true;  // bytes after the last field of the version are ignored
}

}  // namespace

bool ReadDatabaseEntry(std::span<const std::uint8_t> body, DatabaseVersion version,
                       tagPORTDEVDESC& entry) {
    BodyReader in(body);
    return ReadIdentity(in, version, entry) && ReadSystemFiles(in, version, entry) &&
           ReadPlaylistsAndOptions(in, version, entry);
}

}  // namespace detect
