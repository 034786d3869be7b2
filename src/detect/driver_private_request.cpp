#include "detect/driver_private_request.h"

#include "detect/byte_order.h"
#include "detect/vwin32_device.h"
#include "platform/address32.h"
#include "platform/win32.h"

namespace detect {

PrivateRequestOutcome SendDriverPrivateRequest(char driveLetter, LocalBlock& command) {
    PrivateRequestOutcome outcome;
    // P is zero-filled in whole: the driver is told it has ECX bytes there.
    std::uint8_t parameters[kPrivateParameterSize] = {};
    platform::Address32 parameterAddress(parameters, sizeof parameters);
    platform::Address32 commandAddress(command.Bytes(), command.Size());
    platform::Address32 dataAddress(command.Bytes() + kPrivateDataOffset, kPrivateDataSize);
    FillPrivateParameters(parameters, dataAddress.Token(), commandAddress.Token());

    Vwin32Device vwin32;
    outcome.opened = vwin32.IsOpen();
    if (!outcome.opened) return outcome;
    DosRegisters registers =
        PrivateRequestRegisters(DriveNumber(driveLetter), parameterAddress.Token());
    outcome.sent = vwin32.Send(registers);
    if (!outcome.sent) outcome.error = win32::GetLastError();
    // Read whatever the request returned: an untouched P still holds an address here.
    outcome.status = LoadLe32(parameters + kPrivateStatusOffset);
    return outcome;
}

}  // namespace detect
