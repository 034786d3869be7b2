// Writes supported-devices database files byte by byte, in any of the nine versions, and
// malformed ones for tests: any magic text, any announced count, raw entries and bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "database/description.h"

namespace dbtool {

enum class FormatVersion { v1_00, v2_02, v3_01, v4_00, v5_00, v6_00, v7_01, v8_00, v9_00 };

// "1.00", "2.02", ... "9.00".
std::optional<FormatVersion> ParseFormatVersion(std::string_view name);
std::string FormatVersionName(FormatVersion version);
const std::vector<FormatVersion>& AllFormatVersions();

// "KPZSUPPORTEDPORTABLEDEVICESv" and the version's name: 32 bytes.
std::string MagicOf(FormatVersion version);

// The body of one entry as the version stores it; members the version lacks are left out,
// as are deviceState and serialNumber, which no version stores. Texts go in whole.
std::string EncodeEntryBody(const Description& description, FormatVersion version);

class DatabaseWriter {
  public:
    explicit DatabaseWriter(FormatVersion version = FormatVersion::v9_00);

    // The magic written instead of the version's, byte for byte (no padding).
    DatabaseWriter& Magic(std::string text);
    // The count written instead of the number of entries added.
    DatabaseWriter& AnnouncedCount(std::int32_t count);
    DatabaseWriter& Entry(const Description& description);
    // An entry of this body with its length in front.
    DatabaseWriter& RawEntry(std::string body);
    // Bytes as they are, after whatever came before (a cut length, trailing bytes).
    DatabaseWriter& RawBytes(std::string bytes);

    std::string Bytes() const;
    // False with `error` naming the file when it cannot be written.
    bool WriteFile(const std::string& hostPath, std::string& error) const;

  private:
    FormatVersion version_;
    std::string magic_;
    std::optional<std::int32_t> count_;
    std::int32_t entries_ = 0;
    std::string tail_;
};

}  // namespace dbtool
