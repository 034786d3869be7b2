// The process-wide supported-devices list and its three identification-method counts. One
// enumeration runs at a time, so they have no lock.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "kpz/portable_device.h"

namespace detect {

using SupportedDeviceList = std::vector<std::unique_ptr<tagPORTDEVDESC>>;

// The loaded entries in file order.
extern SupportedDeviceList g_supportedDevices;
// How many loaded entries name identification method 0, 1 and 2.
extern std::array<int, 3> g_identMethodCounts;

// Frees every entry with its system-file list and empties the list.
void FreeSupportedDevices();

// Frees the list when the enumeration that loaded it ends, however it ends.
class SupportedDevicesLoan {
  public:
    SupportedDevicesLoan() = default;
    ~SupportedDevicesLoan() { FreeSupportedDevices(); }
    SupportedDevicesLoan(const SupportedDevicesLoan&) = delete;
    SupportedDevicesLoan& operator=(const SupportedDevicesLoan&) = delete;
};

}  // namespace detect
