// The demo's further computers (the Windows 98 and Me ones): each made from its own
// description into a folder of its own below the output.
#pragma once

#include <filesystem>
#include <string>

#include "demo/demo_description.h"

namespace demotool {

// False with `error` when a description can't be read or its computer can't be written.
bool WriteDemoComputers(const DemoDescription& description,
                        const std::filesystem::path& descriptionFolder,
                        const std::filesystem::path& output, std::string& error);

}  // namespace demotool
