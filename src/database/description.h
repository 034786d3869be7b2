// A device description as the database writer handles it: the members of tagPORTDEVDESC with
// texts of any length, so a test can write a file whose strings overrun their capacities.
// Texts are bytes in the system code page, as in the record.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "kpz/portable_device.h"

namespace dbtool {

struct SystemFile {
    std::string path;
    std::uint32_t versionCompare = 1;
    std::uint32_t failIfExists = 0;

    bool operator==(const SystemFile&) const = default;
};

// Defaults are those of a freshly constructed tagPORTDEVDESC.
struct Description {
    std::string vendorId = "Velmora ";
    std::string productId;
    std::string displayName;
    std::uint8_t identMethod = 0;
    std::uint32_t optionValue1 = 0;
    std::uint32_t optionFlag1 = 0;
    std::uint32_t optionFlag2 = 0;
    std::uint32_t optionFlag3 = 0;
    std::uint32_t queryStateFlag = 0;
    std::int32_t deviceState = -1;  // never stored in a database file
    std::uint32_t querySerialFlag = 0;
    std::string serialNumber;  // never stored in a database file
    std::uint32_t hasSystemFiles = 0;
    std::string systemFolder;
    std::vector<SystemFile> systemFiles;
    std::uint32_t optionValue2 = 0;
    std::uint32_t playlistFolder1Enabled = 0;
    std::uint32_t playlistFolder1Value = 0;
    std::string playlistFolder1Name;
    std::uint32_t firmwareHeaderFlag = 0;
    std::uint32_t optionValue3 = 0;
    std::uint32_t optionValue4 = 0;
    std::uint32_t playlistFolder2Enabled = 0;
    std::uint32_t playlistFolder2Value = 0;
    std::string playlistFolder2Name;
    std::uint32_t playlistFolder3Enabled = 0;
    std::uint32_t playlistFolder3Value = 0;
    std::string playlistFolder3Name;

    bool operator==(const Description&) const = default;
};

// The record's values; texts up to their terminators (the serial number's eight bytes).
Description FromRecord(const tagPORTDEVDESC& record);

// A record with the description's values, texts cut to the record's capacities.
tagPORTDEVDESC ToRecord(const Description& description);

}  // namespace dbtool
