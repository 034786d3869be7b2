#include "checksum_extraction.h"

#include "fuzz_machine.h"

namespace fuzz {

void ExtractFromInput(Extraction extract, const std::uint8_t* data, std::size_t size) {
    const std::string path = WriteInput("system.crc", data, size);
    try {
        platform::File checksum, output;
        if (checksum.Open(path.c_str(), platform::File::modeRead) &&
            output.Open("C:\\rebuilt.bin",
                        platform::File::modeCreate | platform::File::modeWrite)) {
            extract(checksum, output);
        }
    } catch (const platform::FileException&) {
    }
}

}  // namespace fuzz
