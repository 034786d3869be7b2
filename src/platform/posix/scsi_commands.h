// SCSI commands to a disk by its device node: SG_IO on the host, a stand-in in tests.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace platform::posix {

// One command that reads data from the device.
struct ScsiCommand {
    const std::uint8_t* cdb = nullptr;
    std::uint8_t cdbLength = 0;
    std::uint8_t* data = nullptr;
    std::uint32_t dataSize = 0;
    std::uint8_t* sense = nullptr;
    std::uint8_t senseSize = 0;
    std::uint32_t timeoutMilliseconds = 0;
};

struct ScsiResult {
    int openError = 0;  // errno of opening the node; 0 when it opened
    bool done = false;  // the command completed with good status, host and driver status
    std::uint8_t status = 0;
    std::uint32_t received = 0;    // data bytes the device sent
    std::uint8_t senseLength = 0;  // sense bytes written
};

class ScsiCommands {
  public:
    virtual ~ScsiCommands() = default;
    virtual ScsiResult Send(const std::string& node, const ScsiCommand& command) = 0;
};

// SG_IO on the node, opened for reading for the one command.
std::unique_ptr<ScsiCommands> MakeSgIoCommands();

}  // namespace platform::posix
