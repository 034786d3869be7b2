// The system-file header and its version text on any file.
#include <string_view>

#include "fuzz_machine.h"
#include "platform/file.h"
#include "sysfiles/sysfile_header.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::WriteInput("kvq.exe", data, size);
    platform::File file;
    if (!file.Open(path.c_str(), platform::File::modeRead)) return 0;
    tagSYSFILEHEADER header;
    ReadSysFileHeader(file, &header);
    ParseVersionText(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
