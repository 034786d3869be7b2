#include "detect/nt_queries.h"

#include "detect/device_queries.h"
#include "detect/nt_volume.h"
#include "detect/request_blocks.h"
#include "detect/vpd_pages.h"
#include "platform/address32.h"
#include "platform/win32.h"

namespace detect {
namespace {

// Sends the page's INQUIRY; the SCSI status and sense data are not examined, only whether
// the control request itself succeeded.
int InquirePage(char driveLetter, std::uint8_t page, std::uint8_t (&answer)[kPassThroughDataSize]) {
    NtVolume volume(driveLetter);
    if (!volume.IsOpen()) return kQueryFailed;
    platform::Address32 dataBuffer(answer, sizeof answer);
    PassThroughBlock block = BuildVpdPassThroughBlock(page, dataBuffer.Token());
    win32::DWORD returned = 0;
    if (!volume.Request(win32::IOCTL_SCSI_PASS_THROUGH_DIRECT, block.data(), block.size(),
                        block.data(), block.size(), &returned)) {
        return kQueryFailed;
    }
    return kQueryOk;
}

}  // namespace

int ReadNtSerialNumber(char driveLetter, std::uint8_t* serial) {
    if (serial == nullptr) return kQueryFailed;
    std::uint8_t answer[kPassThroughDataSize] = {};
    const int result = InquirePage(driveLetter, kUnitSerialNumberPage, answer);
    if (result != kQueryOk) return result;
    SerialNumberFromPage80(answer, serial);
    return kQueryOk;
}

int ReadNtDeviceState(char driveLetter, std::uint8_t* state) {
    if (state == nullptr) return kQueryFailed;
    std::uint8_t answer[kPassThroughDataSize] = {};
    const int result = InquirePage(driveLetter, kDeviceStatePage, answer);
    if (result != kQueryOk) return result;
    return DeviceStateFromPageC0(answer, state);
}

}  // namespace detect
