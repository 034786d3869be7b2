// The machine-file loader on any text; a machine it accepts is then asked what the detection
// asks of each drive.
#include <string>

#include "detect/nt_identification.h"
#include "detect/nt_queries.h"
#include "fuzz_machine.h"
#include "platform/sim/machine_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::WriteInput("machine.json", data, size);
    std::string error;
    auto machine = sim::LoadMachineFile(fuzz::DriveFolder() + "/machine.json", error);
    if (!machine) return 0;
    platform::ScopedSystem installed(*machine);
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if (machine->FindDrive(letter) == nullptr) continue;
        tagPORTDEVINFO device;
        device.driveLetter = letter;
        detect::IdentifyNtDevice(device);
        std::uint8_t serial[8];
        std::uint8_t state = 0;
        detect::ReadNtSerialNumber(letter, serial);
        detect::ReadNtDeviceState(letter, &state);
    }
    return 0;
}
