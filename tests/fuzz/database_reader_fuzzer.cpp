// The supported-devices database reader on any file.
#include "detect/database_file.h"
#include "detect/supported_devices.h"
#include "fuzz_machine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::WriteInput("devices.bin", data, size);
    detect::LoadSupportedDevices(path.c_str());
    detect::FreeSupportedDevices();
    return 0;
}
