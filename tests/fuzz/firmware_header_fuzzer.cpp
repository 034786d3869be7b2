// The firmware image's version header on any file.
#include "engine/firmware_image.h"
#include "fuzz_machine.h"
#include "platform/file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::WriteInput("QDAV3180.mi4", data, size);
    platform::File file;
    if (!file.Open(path.c_str(), platform::File::modeRead)) return 0;
    char version[6] = {'x', 'x', 'x', 'x', 'x', 'x'};
    if (ReadFirmwareVersion(file, version) && std::char_traits<char>::length(version) > 5) {
        __builtin_trap();  // a version text of more than five characters
    }
    return 0;
}
