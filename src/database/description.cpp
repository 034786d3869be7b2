#include "database/description.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace dbtool {
namespace {

template <std::size_t N>
std::string TextOf(const char (&member)[N]) {
    return std::string(member, strnlen(member, N));
}

template <std::size_t N>
void Store(char (&member)[N], const std::string& text) {
    const std::size_t kept = std::min(text.size(), N - 1);
    std::memcpy(member, text.data(), kept);
    std::memset(member + kept, 0, N - kept);
}

}  // namespace

Description FromRecord(const tagPORTDEVDESC& r) {
    Description d;
    d.vendorId = TextOf(r.vendorId);
    d.productId = TextOf(r.productId);
    d.displayName = TextOf(r.displayName);
    d.identMethod = r.identMethod;
    d.optionValue1 = r.optionValue1;
    d.optionFlag1 = r.optionFlag1;
    d.optionFlag2 = r.optionFlag2;
    d.optionFlag3 = r.optionFlag3;
    d.queryStateFlag = r.queryStateFlag;
    d.deviceState = r.deviceState;
    d.querySerialFlag = r.querySerialFlag;
    d.serialNumber = TextOf(r.serialNumber);
    d.hasSystemFiles = r.hasSystemFiles;
    d.systemFolder = TextOf(r.systemFolder);
    for (const auto& file : r.systemFiles) {
        if (file)
            d.systemFiles.push_back({TextOf(file->path), file->versionCompare, file->failIfExists});
    }
    d.optionValue2 = r.optionValue2;
    d.playlistFolder1Enabled = r.playlistFolder1Enabled;
    d.playlistFolder1Value = r.playlistFolder1Value;
    d.playlistFolder1Name = TextOf(r.playlistFolder1Name);
    d.firmwareHeaderFlag = r.firmwareHeaderFlag;
    d.optionValue3 = r.optionValue3;
    d.optionValue4 = r.optionValue4;
    d.playlistFolder2Enabled = r.playlistFolder2Enabled;
    d.playlistFolder2Value = r.playlistFolder2Value;
    d.playlistFolder2Name = TextOf(r.playlistFolder2Name);
    d.playlistFolder3Enabled = r.playlistFolder3Enabled;
    d.playlistFolder3Value = r.playlistFolder3Value;
    d.playlistFolder3Name = TextOf(r.playlistFolder3Name);
    return d;
}

tagPORTDEVDESC ToRecord(const Description& d) {
    tagPORTDEVDESC r;
    Store(r.vendorId, d.vendorId);
    Store(r.productId, d.productId);
    Store(r.displayName, d.displayName);
    r.identMethod = d.identMethod;
    r.optionValue1 = d.optionValue1;
    r.optionFlag1 = d.optionFlag1;
    r.optionFlag2 = d.optionFlag2;
    r.optionFlag3 = d.optionFlag3;
    r.queryStateFlag = d.queryStateFlag;
    r.deviceState = d.deviceState;
    r.querySerialFlag = d.querySerialFlag;
    Store(r.serialNumber, d.serialNumber);
    r.hasSystemFiles = d.hasSystemFiles;
    Store(r.systemFolder, d.systemFolder);
    for (const auto& file : d.systemFiles) {
        auto entry = std::make_unique<tagPORTDEVSYSFILE>();
        Store(entry->path, file.path);
        entry->versionCompare = file.versionCompare;
        entry->failIfExists = file.failIfExists;
        r.systemFiles.push_back(std::move(entry));
    }
    r.optionValue2 = d.optionValue2;
    r.playlistFolder1Enabled = d.playlistFolder1Enabled;
    r.playlistFolder1Value = d.playlistFolder1Value;
    Store(r.playlistFolder1Name, d.playlistFolder1Name);
    r.firmwareHeaderFlag = d.firmwareHeaderFlag;
    r.optionValue3 = d.optionValue3;
    r.optionValue4 = d.optionValue4;
    r.playlistFolder2Enabled = d.playlistFolder2Enabled;
    r.playlistFolder2Value = d.playlistFolder2Value;
    Store(r.playlistFolder2Name, d.playlistFolder2Name);
    r.playlistFolder3Enabled = d.playlistFolder3Enabled;
    r.playlistFolder3Value = d.playlistFolder3Value;
    Store(r.playlistFolder3Name, d.playlistFolder3Name);
    return r;
}

}  // namespace dbtool
