#include "detect/supported_devices.h"

namespace detect {

SupportedDeviceList g_supportedDevices;
std::array<int, 3> g_identMethodCounts = {};

void FreeSupportedDevices() {
    for (auto& entry : g_supportedDevices) entry.reset();
    g_supportedDevices.clear();
}

}  // namespace detect
