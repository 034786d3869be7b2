// Identification method 0: the drive's block-device driver answers an INQUIRY through its
// private request.
#include <cstring>

#include "detect/device_match.h"
#include "detect/diagnostics.h"
#include "detect/driver_private_request.h"
#include "detect/win9x_methods.h"

namespace detect {

std::string InquiryText(const std::uint8_t* field, std::size_t width) {
    const auto* text = reinterpret_cast<const char*>(field);
    return std::string(text, strnlen(text, width));
}

bool IdentifyByDriverInquiry(tagPORTDEVINFO& device) {
    if (DriveNumber(device.driveLetter) == 0) return false;
    LocalBlock command(kPrivateCommandSizeIdentify);
    if (!command) return false;
    FillPrivateCommand(command.Bytes(), kStandardInquiry36);
    const PrivateRequestOutcome outcome = SendDriverPrivateRequest(device.driveLetter, command);
    if (!outcome.opened) return false;
    if (!outcome.sent) {
        WriteStandardOutput(FormatText("GetLastError() = %d\n", static_cast<int>(outcome.error)));
        return false;
    }
    if (outcome.status != 0) return false;
    const std::uint8_t* data = command.Bytes() + kPrivateDataOffset;
    const std::string vendor = InquiryText(data + 8, 8);
    const std::string product = InquiryText(data + 16, 16);
    return MatchSupportedDevice(device, vendor.c_str(), product.c_str()) != 0;
}

}  // namespace detect
