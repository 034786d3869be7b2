#include "detect/database_format.h"

#include <array>

#include "common/code_page_case.h"

namespace detect {
namespace {

constexpr std::array<std::string_view, 9> kMagics = {
    "KPZSUPPORTEDPORTABLEDEVICESv1.00", "KPZSUPPORTEDPORTABLEDEVICESv2.02",
    "KPZSUPPORTEDPORTABLEDEVICESv3.01", "KPZSUPPORTEDPORTABLEDEVICESv4.00",
    "KPZSUPPORTEDPORTABLEDEVICESv5.00", "KPZSUPPORTEDPORTABLEDEVICESv6.00",
    "KPZSUPPORTEDPORTABLEDEVICESv7.01", "KPZSUPPORTEDPORTABLEDEVICESv8.00",
    "KPZSUPPORTEDPORTABLEDEVICESv9.00",
};

}  // namespace

std::optional<DatabaseVersion> DatabaseVersionOfMagic(std::string_view text) {
    for (std::size_t i = 0; i < kMagics.size(); ++i) {
        if (common::EqualsNoCaseCodePage(text, kMagics[i])) return static_cast<DatabaseVersion>(i);
    }
    return std::nullopt;
}

}  // namespace detect
