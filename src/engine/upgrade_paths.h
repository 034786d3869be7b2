// The two folders of an upgrade: the model's system folder on the device and its installed
// copy on the computer.
#pragma once

#include <optional>
#include <string>

#include "kpz/portable_device.h"

// "X:\<system folder>" without a trailing backslash; none when the system folder would leave
// the drive or the path is too long.
std::optional<std::string> UpgradeDeviceFolder(const tagPORTDEVINFO& device);

// "<application folder>\<productId without trailing blanks>\<system folder>"; none when the
// product or system folder would leave the installation or the path is too long.
std::optional<std::string> UpgradeSourceFolder(const char* applicationFolder,
                                               const tagPORTDEVDESC& desc);
