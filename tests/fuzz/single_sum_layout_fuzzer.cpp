// The checksum file's single-sum layout on any file.
#include "fuzz_machine.h"
#include "platform/file.h"
#include "sysfiles/checksum_layouts.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::WriteInput("system.crc", data, size);
    try {
        platform::File checksum, output;
        if (checksum.Open(path.c_str(), platform::File::modeRead) &&
            output.Open("C:\\rebuilt.bin", platform::File::modeCreate | platform::File::modeWrite)) {
            ExtractSingleSumLayout(checksum, output);
        }
    } catch (const platform::FileException&) {
    }
    return 0;
}
