#include "sysfiles/checksum_sum.h"

#include <cstdint>

bool SumIsZero(const void* bytes, std::size_t count) {
    const auto* at = static_cast<const std::uint8_t*>(bytes);
    std::uint8_t sum = 0;
    for (std::size_t i = 0; i < count; ++i) sum = static_cast<std::uint8_t>(sum + at[i]);
    return sum == 0;
}
