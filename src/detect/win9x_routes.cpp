#include "detect/win9x_routes.h"

#include <algorithm>

#include "detect/device_queries.h"
#include "detect/diagnostics.h"
#include "detect/driver_private_request.h"
#include "detect/platform_route.h"
#include "detect/request_blocks.h"
#include "detect/supported_devices.h"
#include "detect/vpd_pages.h"
#include "detect/win9x_methods.h"

namespace detect {
namespace {

// Sends the page's INQUIRY through the driver-private request; the page's answer is then in
// `answer`. The result is that of the query.
int InquirePage(char driveLetter, std::uint8_t page, std::uint8_t* answer) {
    if (DriveNumber(driveLetter) == 0) return kQueryFailed;
    LocalBlock command(kPrivateCommandSizeQuery);
    if (!command) return kQueryFailed;
    FillPrivateCommand(command.Bytes(), VpdPageInquiry(page));
    const PrivateRequestOutcome outcome = SendDriverPrivateRequest(driveLetter, command);
    if (!outcome.opened) return kQueryDeviceNotOpened;
    if (!outcome.sent) {
        WriteStandardOutput(FormatText("SF_GenericCallDirver(): GetLastError = %d\n",
                                       static_cast<int>(outcome.error)));
    }
    // The status word decides, whatever the control request returned.
    if (outcome.status != 0) return kQueryFailed;
    std::copy_n(command.Bytes() + kPrivateDataOffset, kPrivateDataSize, answer);
    return kQueryOk;
}

}  // namespace

int IdentifyWin9xDevice(int route, tagPORTDEVINFO& device) {
    if (g_identMethodCounts[0] > 0 && IdentifyByDriverInquiry(device)) return 1;
    if (g_identMethodCounts[1] > 0 && IdentifyByPassThrough(device)) return 1;
    if (g_identMethodCounts[2] == 0) return 0;
    if (route == kRouteWindows98 && IdentifyByDiskDriveScan(device)) return 1;
    return IdentifyByScsiManagerScan(device) ? 1 : 0;
}

int ReadWin9xSerialNumber(int, char driveLetter, std::uint8_t* serial) {
    if (serial == nullptr) return kQueryFailed;
    std::uint8_t answer[kPrivateDataSize];
    const int result = InquirePage(driveLetter, kUnitSerialNumberPage, answer);
    if (result != kQueryOk) return result;
    SerialNumberFromPage80(answer, serial);
    return kQueryOk;
}

int ReadWin9xDeviceState(int, char driveLetter, std::uint8_t* state) {
    if (state == nullptr) return kQueryFailed;
    std::uint8_t answer[kPrivateDataSize];
    const int result = InquirePage(driveLetter, kDeviceStatePage, answer);
    if (result != kQueryOk) return result;
    return DeviceStateFromPageC0(answer, state);
}

}  // namespace detect
