// Runs one checksum-file layout's extraction on an input file, as the rebuild does.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/file.h"

namespace fuzz {

using Extraction = int (*)(platform::File& checksum, platform::File& output);

void ExtractFromInput(Extraction extract, const std::uint8_t* data, std::size_t size);

}  // namespace fuzz
