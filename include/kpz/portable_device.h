// The device record of the Zarn portable-device detection library: one detected player, its
// model description (also the type of each supported-devices database entry) and its
// system files. Copies are deep; a description owns its system-file entries.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

struct tagPORTDEVSYSFILE {
    char path[260] = {};
    std::uint32_t versionCompare = 1;
    std::uint32_t failIfExists = 0;
};

namespace kpz_detail {

// Copies a zero-terminated text into a fixed array: up to its terminator, cut to capacity.
template <std::size_t N>
inline void CopyText(char (&target)[N], const char (&source)[N]) {
    std::size_t length = 0;
    while (length < N - 1 && source[length] != '\0') ++length;
    std::memcpy(target, source, length);
    std::memset(target + length, 0, N - length);
}

}  // namespace kpz_detail

struct tagPORTDEVDESC {
    char vendorId[9] = "Velmora ";
    char productId[17] = {};
    char displayName[256] = {};
    std::uint8_t identMethod = 0;
    std::uint32_t optionValue1 = 0;
    std::uint32_t optionFlag1 = 0;
    std::uint32_t optionFlag2 = 0;
    std::uint32_t optionFlag3 = 0;
    std::uint32_t queryStateFlag = 0;
    std::int32_t deviceState = -1;
    std::uint32_t querySerialFlag = 0;
    char serialNumber[9] = {};
    std::uint32_t hasSystemFiles = 0;
    char systemFolder[260] = {};
    // Owned entries in file order; an entry may be null and is then skipped.
    std::vector<std::unique_ptr<tagPORTDEVSYSFILE>> systemFiles;
    std::uint32_t optionValue2 = 0;
    std::uint32_t playlistFolder1Enabled = 0;
    std::uint32_t playlistFolder1Value = 0;
    char playlistFolder1Name[256] = {};
    std::uint32_t firmwareHeaderFlag = 0;
    std::uint32_t optionValue3 = 0;
    std::uint32_t optionValue4 = 0;
    std::uint32_t playlistFolder2Enabled = 0;
    std::uint32_t playlistFolder2Value = 0;
    char playlistFolder2Name[256] = {};
    std::uint32_t playlistFolder3Enabled = 0;
    std::uint32_t playlistFolder3Value = 0;
    char playlistFolder3Name[256] = {};

    tagPORTDEVDESC() = default;
    tagPORTDEVDESC(const tagPORTDEVDESC& other) { *this = other; }
    tagPORTDEVDESC(tagPORTDEVDESC&&) noexcept = default;
    tagPORTDEVDESC& operator=(tagPORTDEVDESC&&) noexcept = default;
    ~tagPORTDEVDESC() { ClearSystemFiles(); }

    tagPORTDEVDESC& operator=(const tagPORTDEVDESC& other) {
        if (this == &other) return *this;
        using kpz_detail::CopyText;
        CopyText(vendorId, other.vendorId);
        CopyText(productId, other.productId);
        CopyText(displayName, other.displayName);
        identMethod = other.identMethod;
        optionValue1 = other.optionValue1;
        optionFlag1 = other.optionFlag1;
        optionFlag2 = other.optionFlag2;
        optionFlag3 = other.optionFlag3;
        queryStateFlag = other.queryStateFlag;
        deviceState = other.deviceState;
        querySerialFlag = other.querySerialFlag;
        std::memcpy(serialNumber, other.serialNumber, 8);  // eight bytes, then a terminator
        serialNumber[8] = '\0';
        hasSystemFiles = other.hasSystemFiles;
        CopyText(systemFolder, other.systemFolder);
        ClearSystemFiles();
        systemFiles.reserve(other.systemFiles.size());
        for (const auto& entry : other.systemFiles) {
            systemFiles.push_back(entry ? std::make_unique<tagPORTDEVSYSFILE>(*entry) : nullptr);
        }
        optionValue2 = other.optionValue2;
        playlistFolder1Enabled = other.playlistFolder1Enabled;
        playlistFolder1Value = other.playlistFolder1Value;
        CopyText(playlistFolder1Name, other.playlistFolder1Name);
        firmwareHeaderFlag = other.firmwareHeaderFlag;
        optionValue3 = other.optionValue3;
        optionValue4 = other.optionValue4;
        playlistFolder2Enabled = other.playlistFolder2Enabled;
        playlistFolder2Value = other.playlistFolder2Value;
        CopyText(playlistFolder2Name, other.playlistFolder2Name);
        playlistFolder3Enabled = other.playlistFolder3Enabled;
        playlistFolder3Value = other.playlistFolder3Value;
        CopyText(playlistFolder3Name, other.playlistFolder3Name);
        return *this;
    }

    // Frees every system-file entry, then empties the list.
    void ClearSystemFiles() {
        for (auto& entry : systemFiles) entry.reset();
        systemFiles.clear();
    }
};

struct tagPORTDEVINFO {
    char driveLetter = 0;
    tagPORTDEVDESC desc;
};

// The caller's record for the four-argument enumeration; the library never reads it.
struct tagPORTDEVCONFLICTDIALOGINFO {
    char text[260] = {};
    std::uint32_t values[4] = {};
};

// Called once per identified player; nonzero continues the scan, 0 stops it.
using PFNPORTDEVENUMCALLBACK = int (*)(tagPORTDEVINFO& device, long callerValue);
