// The command line of kpz-mkfirmware.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "firmware/firmware_image_writer.h"

namespace fwtool {

struct MkFirmwareOptions {
    FirmwareHeader header;
    std::uint64_t size = 4096;
    std::string output;  // a file, or an existing folder that gets QDAV3180.mi4; empty: "."
    bool help = false;
};

// "4096", "64K", "2M", "1G" (binary multiples); none when it isn't a size.
std::optional<std::uint64_t> ParseSize(const std::string& text);

// False with `error` (one line) when the arguments are wrong. --version is required unless
// --help is given.
bool ParseMkFirmwareArguments(const std::vector<std::string>& args, MkFirmwareOptions& options,
                              std::string& error);

std::string MkFirmwareHelp();

}  // namespace fwtool
