#include "database/database_writer.h"

#include <array>

#include "database/database_file_write.h"

namespace dbtool {
namespace {

constexpr std::array<std::string_view, 9> kVersionNames = {"1.00", "2.02", "3.01", "4.00", "5.00",
                                                           "6.00", "7.01", "8.00", "9.00"};

void PutU32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void PutText(std::string& out, const std::string& text) {
    PutU32(out, static_cast<std::uint32_t>(text.size()));
    out += text;
}

void PutSystemFiles(std::string& out, const Description& d, FormatVersion version) {
    PutU32(out, d.hasSystemFiles);
    if (d.hasSystemFiles == 0) return;
    PutText(out, d.systemFolder);
    PutU32(out, static_cast<std::uint32_t>(d.systemFiles.size()));
    for (const SystemFile& file : d.systemFiles) {
        PutText(out, file.path);
        PutU32(out, file.versionCompare);
        if (version >= FormatVersion::v7_01) PutU32(out, file.failIfExists);
    }
}

void PutPlaylistFolder(std::string& out, std::uint32_t enabled, const std::string& name,
                       bool withValue, std::uint32_t value) {
    PutU32(out, enabled);
    if (enabled == 0) return;
    PutText(out, name);
    if (withValue) PutU32(out, value);
}

}  // namespace

std::optional<FormatVersion> ParseFormatVersion(std::string_view name) {
    for (std::size_t i = 0; i < kVersionNames.size(); ++i) {
        if (kVersionNames[i] == name) return static_cast<FormatVersion>(i);
    }
    return std::nullopt;
}

std::string FormatVersionName(FormatVersion version) {
    return std::string(kVersionNames[static_cast<std::size_t>(version)]);
}

const std::vector<FormatVersion>& AllFormatVersions() {
    static const std::vector<FormatVersion> versions = {
        FormatVersion::v1_00, FormatVersion::v2_02, FormatVersion::v3_01,
        FormatVersion::v4_00, FormatVersion::v5_00, FormatVersion::v6_00,
        FormatVersion::v7_01, FormatVersion::v8_00, FormatVersion::v9_00};
    return versions;
}

std::string MagicOf(FormatVersion version) {
    return "KPZSUPPORTEDPORTABLEDEVICESv" + FormatVersionName(version);
}

std::string EncodeEntryBody(const Description& d, FormatVersion version) {
    using V = FormatVersion;
    std::string out;
    PutText(out, d.vendorId);
    PutText(out, d.productId);
    PutText(out, d.displayName);
    PutU32(out, d.optionValue1);
    if (version >= V::v2_02) {
        for (std::uint32_t value :
             {d.optionFlag1, d.optionFlag2, d.optionFlag3, d.queryStateFlag, d.querySerialFlag}) {
            PutU32(out, value);
        }
    }
    if (version >= V::v3_01) {
        PutU32(out, d.optionValue2);
        out += static_cast<char>(d.identMethod);
    }
    PutSystemFiles(out, d, version);
    if (version >= V::v4_00) {
        PutPlaylistFolder(out, d.playlistFolder1Enabled, d.playlistFolder1Name, version >= V::v6_00,
                          d.playlistFolder1Value);
    }
    if (version >= V::v5_00) PutU32(out, d.firmwareHeaderFlag);
    if (version >= V::v7_01) {
        PutPlaylistFolder(out, d.playlistFolder2Enabled, d.playlistFolder2Name, true,
                          d.playlistFolder2Value);
        PutPlaylistFolder(out, d.playlistFolder3Enabled, d.playlistFolder3Name, true,
                          d.playlistFolder3Value);
    }
    if (version >= V::v8_00) PutU32(out, d.optionValue3);
    if (version >= V::v9_00) PutU32(out, d.optionValue4);
    return out;
}

DatabaseWriter::DatabaseWriter(FormatVersion version)
    : version_(version), magic_(MagicOf(version)) {}

DatabaseWriter& DatabaseWriter::Magic(std::string text) {
    magic_ = std::move(text);
    return *this;
}

DatabaseWriter& DatabaseWriter::AnnouncedCount(std::int32_t count) {
    count_ = count;
    return *this;
}

DatabaseWriter& DatabaseWriter::Entry(const Description& description) {
    return RawEntry(EncodeEntryBody(description, version_));
}

DatabaseWriter& DatabaseWriter::RawEntry(std::string body) {
    PutU32(tail_, static_cast<std::uint32_t>(body.size()));
    tail_ += body;
    ++entries_;
    return *this;
}

DatabaseWriter& DatabaseWriter::RawBytes(std::string bytes) {
    tail_ += bytes;
    return *this;
}

std::string DatabaseWriter::Bytes() const {
    std::string out = magic_;
    PutU32(out, static_cast<std::uint32_t>(count_.value_or(entries_)));
    return out + tail_;
}

bool DatabaseWriter::WriteFile(const std::string& hostPath, std::string& error) const {
    return WriteDatabaseFile(hostPath, Bytes(), error);
}

}  // namespace dbtool
