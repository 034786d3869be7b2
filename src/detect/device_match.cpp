#include "detect/device_match.h"

#include <string>

#include "common/code_page_case.h"
#include "common/path_text.h"
#include "detect/supported_devices.h"
#include "platform/win32.h"

namespace detect {

bool IsDriveRootAccessible(const char* root) {
    const std::string probe = std::string(root) + ".";
    win32::SetErrorMode(win32::SEM_FAILCRITICALERRORS);
    const win32::DWORD attributes = win32::GetFileAttributesA(probe.c_str());
    win32::SetErrorMode(0);
    if (attributes == win32::INVALID_FILE_ATTRIBUTES) return false;
    win32::ULARGE_INTEGER available{};
    return win32::GetDiskFreeSpaceExA(root, &available, nullptr, nullptr) != 0;
}

bool MatchesEntry(const tagPORTDEVDESC& entry, std::string_view vendor, std::string_view product) {
    // The product first: most entries share the vendor.
    return common::EqualsNoCaseCodePage(product, entry.productId) &&
           common::EqualsNoCaseCodePage(vendor, entry.vendorId);
}

int MatchSupportedDevice(tagPORTDEVINFO& device, const char* vendor, const char* product) {
    const std::string root = common::DriveRoot(device.driveLetter);
    const std::string_view vendorText(vendor), productText(product);
    for (const auto& entry : g_supportedDevices) {
        if (entry == nullptr || !MatchesEntry(*entry, vendorText, productText)) continue;
        if (!IsDriveRootAccessible(root.c_str())) continue;
        device.desc = *entry;
        return 1;
    }
    return 0;
}

}  // namespace detect
