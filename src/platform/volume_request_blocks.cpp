#include "platform/volume_request_blocks.h"

#include <algorithm>

namespace platform {
namespace {

std::uint32_t Le32(const std::uint8_t* at) {
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

void PutLe32(std::uint8_t* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

PassThroughDirect ReadPassThroughDirect(const std::uint8_t* block) {
    PassThroughDirect request;
    request.length = static_cast<std::uint16_t>(block[0] | block[1] << 8);
    request.scsiStatus = block[2];
    request.pathId = block[3];
    request.targetId = block[4];
    request.lun = block[5];
    request.cdbLength = block[6];
    request.senseInfoLength = block[7];
    request.dataIn = block[8];
    request.dataTransferLength = Le32(block + 12);
    request.timeOutValue = Le32(block + 16);
    request.dataBuffer = Le32(block + 20);
    request.senseInfoOffset = Le32(block + 24);
    std::copy(block + 28, block + 44, request.cdb);
    return request;
}

void WritePassThroughResult(std::uint8_t* block, std::uint8_t scsiStatus,
                            std::uint32_t transferred) {
    block[2] = scsiStatus;
    PutLe32(block + 12, transferred);
}

std::vector<std::uint8_t> StorageDeviceDescriptor(const DeviceIdentity& identity) {
    std::vector<std::uint8_t> descriptor(36, 0);
    auto addString = [&](std::size_t offsetField, const std::string& text) {
        if (text.empty()) return;
        PutLe32(&descriptor[offsetField], static_cast<std::uint32_t>(descriptor.size()));
        descriptor.insert(descriptor.end(), text.begin(), text.end());
        descriptor.push_back(0);
    };
    PutLe32(&descriptor[0], 40);  // Version: sizeof(STORAGE_DEVICE_DESCRIPTOR)
    descriptor[8] = 0;            // DeviceType: direct access
    descriptor[10] = 1;           // RemovableMedia
    addString(12, identity.vendor);
    addString(16, identity.product);
    addString(20, identity.revision);
    // SerialNumberOffset (24) stays 0: the serial number is only on page 80h.
    PutLe32(&descriptor[28], 7);  // BusType: USB
    // RawPropertiesLength (32) stays 0.
    PutLe32(&descriptor[4], static_cast<std::uint32_t>(descriptor.size()));  // Size
    return descriptor;
}

bool IsDevicePropertyQuery(const void* in, std::uint32_t inSize) {
    const auto* bytes = static_cast<const std::uint8_t*>(in);
    return bytes != nullptr && inSize == 12 &&
           std::all_of(bytes, bytes + 12, [](std::uint8_t b) { return b == 0; });
}

}  // namespace platform
