// The checksum file's single-sum layout on any file.
#include "checksum_extraction.h"
#include "sysfiles/checksum_layouts.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ExtractFromInput(ExtractSingleSumLayout, data, size);
    return 0;
}
