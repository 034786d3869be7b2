// The NT-family volume control requests as a storage driver reads and answers them: the
// SCSI_PASS_THROUGH_DIRECT block and the STORAGE_DEVICE_DESCRIPTOR. Shared by the backends
// that answer those requests (the simulated computer, the Linux host).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// SCSI_PASS_THROUGH_DIRECT: 44 bytes, the 32-bit layout.
constexpr std::size_t kPassThroughDirectSize = 44;

struct PassThroughDirect {
    std::uint16_t length = 0;
    std::uint8_t scsiStatus = 0;
    std::uint8_t pathId = 0;
    std::uint8_t targetId = 0;
    std::uint8_t lun = 0;
    std::uint8_t cdbLength = 0;
    std::uint8_t senseInfoLength = 0;
    std::uint8_t dataIn = 0;
    std::uint32_t dataTransferLength = 0;
    std::uint32_t timeOutValue = 0;  // seconds
    std::uint32_t dataBuffer = 0;    // a 32-bit address token
    std::uint32_t senseInfoOffset = 0;
    std::uint8_t cdb[16] = {};
};

// The fields of a block of at least kPassThroughDirectSize bytes.
PassThroughDirect ReadPassThroughDirect(const std::uint8_t* block);

// What the driver writes back: the SCSI status and the bytes transferred.
void WritePassThroughResult(std::uint8_t* block, std::uint8_t scsiStatus,
                            std::uint32_t transferred);

// The identification strings of a device, as the storage property query reports them.
struct DeviceIdentity {
    std::string vendor;    // 8 characters, blank-padded; empty: the descriptor has none
    std::string product;   // 16 characters, blank-padded
    std::string revision;  // 4 characters, blank-padded
};

// STORAGE_DEVICE_DESCRIPTOR of a removable USB device: the fixed part takes 36 bytes, the
// identification strings follow, each zero-terminated with its blanks kept; an empty string
// gets offset 0.
std::vector<std::uint8_t> StorageDeviceDescriptor(const DeviceIdentity& identity);

// STORAGE_PROPERTY_QUERY for StorageDeviceProperty, PropertyStandardQuery: twelve zero bytes.
bool IsDevicePropertyQuery(const void* in, std::uint32_t inSize);

}  // namespace platform
