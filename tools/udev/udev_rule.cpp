#include "udev/udev_rule.h"

#include <algorithm>
#include <filesystem>

#include "detect/database_file.h"
#include "detect/supported_devices.h"
#include "platform/posix/host_system.h"

namespace udevtool {
namespace {

bool Matchable(const std::string& vendor) {
    if (vendor.empty()) return false;
    return std::none_of(vendor.begin(), vendor.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F || std::string("\"\\*?[]|").find(c) != std::string::npos;
    });
}

}  // namespace

bool DatabaseVendors(const std::string& hostPath, std::vector<std::string>& vendors,
                     std::string& error) {
    const std::string absolute = std::filesystem::absolute(hostPath).string();
    const std::string path = platform::posix::HostSystem::WindowsPathOf(absolute);
    if (!detect::LoadSupportedDevices(path.c_str())) {
        detect::FreeSupportedDevices();
        error = hostPath + ": not a supported-devices database";
        return false;
    }
    detect::SupportedDevicesLoan loan;
    for (const auto& entry : detect::g_supportedDevices) {
        std::string vendor = entry->vendorId;
        while (!vendor.empty() && vendor.back() == ' ') vendor.pop_back();
        if (std::find(vendors.begin(), vendors.end(), vendor) == vendors.end()) {
            vendors.push_back(vendor);
        }
    }
    return true;
}

std::string UdevRules(const std::vector<std::string>& vendors, std::vector<std::string>& skipped) {
    // udev ignores the trailing blanks of an attribute when the match has none.
    std::string text =
        "# Zarn Upgrade Utility: the user at the seat may open the disks of the players that\n"
        "# its database names, to read their serial number and state (SCSI INQUIRY).\n"
        "# Made from KPZSupportedPortableDevices.bin; changes are lost when it is made again.\n";
    for (const std::string& vendor : vendors) {
        if (!Matchable(vendor)) {
            skipped.push_back(vendor);
            continue;
        }
        text +=
            "SUBSYSTEM==\"block\", ENV{DEVTYPE}==\"disk\", SUBSYSTEMS==\"usb\", "
            "ATTRS{vendor}==\"" +
            vendor + "\", TAG+=\"uaccess\"\n";
    }
    return text;
}

}  // namespace udevtool
