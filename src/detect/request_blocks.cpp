#include "detect/request_blocks.h"

#include "detect/byte_order.h"

namespace detect {

PassThroughBlock BuildVpdPassThroughBlock(std::uint8_t page, std::uint32_t dataBuffer) {
    PassThroughBlock block{};
    StoreLe16(&block[0], 44);  // Length: the structure without filler and sense area
    // ScsiStatus, PathId, TargetId and Lun (bytes 2 to 5) stay 0.
    block[6] = 6;   // CdbLength
    block[7] = 14;  // SenseInfoLength
    block[8] = 1;   // DataIn: from the device
    StoreLe32(&block[12], kPassThroughDataSize);
    StoreLe32(&block[16], 2);  // TimeOutValue, seconds
    StoreLe32(&block[20], dataBuffer);
    StoreLe32(&block[24], 48);  // SenseInfoOffset: the sense area after the filler
    const std::uint8_t cdb[6] = {0x12, 0x01, page, 0x00, 0xFF, 0x00};  // INQUIRY, EVPD, 255
    for (std::size_t i = 0; i < sizeof cdb; ++i) block[28 + i] = cdb[i];
    return block;
}

std::array<std::uint8_t, kPropertyQuerySize> BuildDevicePropertyQuery() {
    // PropertyId 0 (StorageDeviceProperty), QueryType 0 (PropertyStandardQuery), no
    // additional parameters: all twelve bytes are zero.
    return {};
}

}  // namespace detect
