// The NT-family control request blocks, built byte by byte at their documented offsets.
#pragma once

#include <array>
#include <cstdint>

namespace detect {

// SCSI_PASS_THROUGH_DIRECT (44 bytes), 4 bytes of filler and a 32-byte sense area.
constexpr std::size_t kPassThroughBlockSize = 80;
constexpr std::uint32_t kPassThroughDataSize = 256;
using PassThroughBlock = std::array<std::uint8_t, kPassThroughBlockSize>;

// Vital product data pages asked for with INQUIRY.
constexpr std::uint8_t kUnitSerialNumberPage = 0x80;
constexpr std::uint8_t kDeviceStatePage = 0xC0;

// An INQUIRY for a vital product data page into the 256-byte buffer behind `dataBuffer`
// (a 32-bit address token).
PassThroughBlock BuildVpdPassThroughBlock(std::uint8_t page, std::uint32_t dataBuffer);

// STORAGE_PROPERTY_QUERY: StorageDeviceProperty, PropertyStandardQuery, four zero bytes.
constexpr std::size_t kPropertyQuerySize = 12;
std::array<std::uint8_t, kPropertyQuerySize> BuildDevicePropertyQuery();

// Where the STORAGE_DEVICE_DESCRIPTOR keeps the offsets of its identification strings.
constexpr std::size_t kDescriptorVendorIdOffset = 12;
constexpr std::size_t kDescriptorProductIdOffset = 16;
constexpr std::size_t kDescriptorBufferSize = 512;

}  // namespace detect
