// Writing the demo's installation and drives below an output folder.
#pragma once

#include <filesystem>
#include <string>

#include "demo/demo_description.h"

namespace demotool {

// The host path of a Windows path on one of the demo's drives; empty for a drive without a
// folder.
std::filesystem::path HostPathOf(const DemoDescription& description,
                                 const std::filesystem::path& output,
                                 const std::string& windowsPath);

// The bytes of one file of the description.
std::string FileBytes(const DemoFile& file);

// False with `error` when something can't be written.
bool WriteDemo(const DemoDescription& description, const std::filesystem::path& descriptionFolder,
               const std::filesystem::path& output, std::string& error);

}  // namespace demotool
