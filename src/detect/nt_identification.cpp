#include "detect/nt_identification.h"

#include <algorithm>

#include "detect/byte_order.h"
#include "detect/device_match.h"
#include "detect/nt_volume.h"
#include "detect/request_blocks.h"
#include "platform/win32.h"

namespace detect {

std::string DescriptorString(std::span<const std::uint8_t> returned, std::size_t offsetField,
                             std::size_t capacity) {
    if (returned.size() < offsetField + 4) return {};
    const std::uint32_t offset = LoadLe32(&returned[offsetField]);
    std::string text;
    if (offset == 0) return text;
    for (std::size_t at = offset; at < returned.size() && text.size() < capacity; ++at) {
        if (returned[at] == 0) break;
        text += static_cast<char>(returned[at]);
    }
    return text;
}

int IdentifyNtDevice(tagPORTDEVINFO& device) {
    NtVolume volume(device.driveLetter);
    if (!volume.IsOpen()) return 0;
    auto query = BuildDevicePropertyQuery();
    std::uint8_t descriptor[kDescriptorBufferSize] = {};
    win32::DWORD returned = 0;
    if (!volume.Request(win32::IOCTL_STORAGE_QUERY_PROPERTY, query.data(), query.size(), descriptor,
                        sizeof descriptor, &returned)) {
        return 0;
    }
    // Only what the request says it returned counts, and never more than the buffer holds.
    const std::span<const std::uint8_t> answer(descriptor,
                                               std::min<std::size_t>(returned, sizeof descriptor));
    const std::string vendor = DescriptorString(answer, kDescriptorVendorIdOffset, 8);
    const std::string product = DescriptorString(answer, kDescriptorProductIdOffset, 16);
    return MatchSupportedDevice(device, vendor.c_str(), product.c_str());
}

}  // namespace detect
