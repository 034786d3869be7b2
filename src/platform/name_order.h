// The order in which a folder's names are listed: by name without regard to ASCII case, the
// exact bytes deciding between names that differ only in case.
#pragma once

#include <algorithm>
#include <string_view>

#include "platform/ascii.h"

namespace platform {

inline bool NameOrderLess(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const char x = ToLowerAscii(a[i]), y = ToLowerAscii(b[i]);
        if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    }
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

}  // namespace platform
