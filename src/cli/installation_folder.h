// zarn-upgrade on this computer finds the installation folder as the desktop program does:
// by the program file "KPZPortableDeviceSystemFileUpdater", which lies beside zarn-upgrade
// in an installation, or in the folder that --install-folder names.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/posix/host_system.h"

namespace cli {

// This computer, with the installation of `folder` (a host path) when one is given, else
// that beside this program when there is one. None, with `error` set, when `folder` is no
// folder.
std::unique_ptr<platform::posix::HostSystem> HostWithInstallation(
    const std::optional<std::string>& folder, std::string& error);

}  // namespace cli
