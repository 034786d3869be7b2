// Identification on the NT family: the storage property query of the drive's volume.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "kpz/portable_device.h"

namespace detect {

// 1 with the record's description replaced by the matching entry; 0, record unchanged.
int IdentifyNtDevice(tagPORTDEVINFO& device);

// The identification string at the descriptor offset stored at `offsetField`: at most
// `capacity` characters, ending at a zero or at the bytes returned; empty for offset 0.
std::string DescriptorString(std::span<const std::uint8_t> returned, std::size_t offsetField,
                             std::size_t capacity);

}  // namespace detect
