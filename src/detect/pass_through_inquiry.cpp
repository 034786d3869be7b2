// Identification method 1: an INQUIRY through the SCSI pass-through of VWIN32's generic
// block-device request, sent through a working copy of the block.
#include <algorithm>
#include <cstring>

#include "detect/device_match.h"
#include "detect/diagnostics.h"
#include "detect/local_block.h"
#include "detect/vwin32_device.h"
#include "detect/win9x_methods.h"
#include "platform/address32.h"
#include "platform/win32.h"

namespace detect {
namespace {

// Sends the block through a working copy, whose returned bytes (never more than the block
// holds) come back over the block. A failure is written with its error: the control
// request's own, or the DOS error that came back with the carry.
bool SendPassThrough(Vwin32Device& vwin32, char driveLetter, std::uint8_t* block) {
    std::uint8_t copy[kBlockPassThroughSize];
    std::memcpy(copy, block, sizeof copy);
    platform::Address32 copyAddress(copy, sizeof copy);
    DosRegisters registers =
        BlockPassThroughRegisters(DriveNumber(driveLetter), copyAddress.Token());
    if (!vwin32.Send(registers)) {
        WriteStandardOutput(
            FormatText("error sending IOCTL (%d)\n", static_cast<int>(win32::GetLastError())));
        return false;
    }
    if ((registers.flags & kCarryFlag) != 0) {
        WriteStandardOutput(
            FormatText("error sending IOCTL (%d)\n", static_cast<int>(registers.eax)));
        return false;
    }
    std::memcpy(block, copy, std::min<std::size_t>(registers.eax, sizeof copy));
    return true;
}

}  // namespace

bool IdentifyByPassThrough(tagPORTDEVINFO& device) {
    if (DriveNumber(device.driveLetter) == 0) return false;
    Vwin32Device vwin32;
    if (!vwin32.IsOpen()) return false;
    WriteStandardOutput("Sending Inquiry\n");
    LocalBlock block(kBlockPassThroughSize);
    if (!block) return false;
    FillBlockPassThrough(block.Bytes());
    if (!SendPassThrough(vwin32, device.driveLetter, block.Bytes())) return false;
    const std::uint8_t* answer = block.Bytes() + kBlockPassThroughAnswerOffset;
    WriteStandardOutput(FormatText("DeviceType:     %02X\n", answer[0] & 0x1F));
    WriteStandardOutput(FormatText("RemovableMedia:  %d\n", answer[1] >> 7));
    const std::string vendor = InquiryText(answer + 8, 8);
    const std::string product = InquiryText(answer + 16, 16);
    return MatchSupportedDevice(device, vendor.c_str(), product.c_str()) != 0;
}

}  // namespace detect
