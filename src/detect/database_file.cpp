#include "detect/database_file.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "detect/byte_order.h"
#include "detect/database_entry.h"
#include "detect/database_format.h"
#include "detect/supported_devices.h"
#include "platform/file.h"
#include "platform/ui.h"

namespace detect {
namespace {

// The file read in pieces of a fixed size, so an entry's few fields don't each cost a read of
// the medium; whatever the file's lengths say, nothing larger is held.
class PieceReader {
  public:
    explicit PieceReader(platform::File& file) : file_(file) {}

    // Reads until `count` bytes came or the file ended; returns how many came.
    std::uint32_t ReadUpTo(void* buffer, std::uint32_t count) {
        auto* bytes = static_cast<std::uint8_t*>(buffer);
        std::uint32_t done = 0;
        while (done < count) {
            if (next_ == held_ && !Refill()) break;
            const auto n =
                static_cast<std::uint32_t>(std::min<std::size_t>(count - done, held_ - next_));
            std::memcpy(bytes + done, piece_.get() + next_, n);
            next_ += n;
            done += n;
        }
        return done;
    }

  private:
    static constexpr std::uint32_t kPieceSize = 64 * 1024;

    bool Refill() {
        // Not zeroed first: only the bytes the read gave are ever looked at.
        if (!piece_) piece_ = std::make_unique_for_overwrite<std::uint8_t[]>(kPieceSize);
        held_ = file_.Read(piece_.get(), kPieceSize);
        next_ = 0;
        return held_ > 0;
    }

    platform::File& file_;
    std::unique_ptr<std::uint8_t[]> piece_;
    std::size_t held_ = 0;
    std::size_t next_ = 0;
};

void AddEntry(std::unique_ptr<tagPORTDEVDESC> entry) {
    if (entry->identMethod < g_identMethodCounts.size()) ++g_identMethodCounts[entry->identMethod];
    g_supportedDevices.push_back(std::move(entry));
}

// Reads one length-prefixed entry into `body` (reused from entry to entry). False when the
// length or the body is cut short.
bool ReadEntry(PieceReader& file, std::uint64_t& left, DatabaseVersion version,
               std::vector<std::uint8_t>& body) {
    std::uint8_t lengthBytes[4];
    if (file.ReadUpTo(lengthBytes, 4) < 4) return false;
    left = left >= 4 ? left - 4 : 0;
    const std::uint32_t length = LoadLe32(lengthBytes);
    if (length > left) return false;  // never allocate for bytes the file does not hold
    body.resize(length);
    if (file.ReadUpTo(body.data(), length) < length) return false;
    left -= length;
    auto entry = std::make_unique<tagPORTDEVDESC>();
    // An entry whose lengths run past its body is dropped; the next one starts after the body.
    if (ReadDatabaseEntry(body, version, *entry)) AddEntry(std::move(entry));
    return true;
}

int ReadDatabase(platform::File& opened) {
    const std::uint64_t size = opened.GetLength();
    if (size == 0) return 0;
    PieceReader file(opened);
    char magic[kDatabaseMagicSize + 1] = {};
    const std::uint32_t magicRead = file.ReadUpTo(magic, kDatabaseMagicSize);
    const auto version = DatabaseVersionOfMagic(std::string_view(magic, std::strlen(magic)));
    if (!version) return 0;
    std::uint8_t countBytes[4];
    if (file.ReadUpTo(countBytes, 4) < 4) return 0;
    const auto count = static_cast<std::int32_t>(LoadLe32(countBytes));

    FreeSupportedDevices();
    const std::uint64_t header = magicRead + 4;
    std::uint64_t left = size > header ? size - header : 0;
    std::vector<std::uint8_t> body;
    for (std::int32_t i = 0; i < count; ++i) {
        if (!ReadEntry(file, left, *version, body)) break;  // the entries read so far stay
    }
    return 1;
}

}  // namespace

int LoadSupportedDevices(const char* path) {
    if (path == nullptr) return 0;
    platform::ScopedWaitCursor wait;
    g_identMethodCounts = {};
    platform::File file;
    if (!file.Open(path, platform::File::modeRead | platform::File::shareDenyWrite)) return 0;
    try {
        return ReadDatabase(file);
    } catch (const platform::FileException&) {
        return 0;
    }
}

}  // namespace detect
