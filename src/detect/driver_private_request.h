// The driver-private request (4404h): a command in C sent to a drive's block-device driver
// through VWIN32, used by identification method 0 and by both device queries on Windows 98
// and Me.
#pragma once

#include <cstdint>

#include "detect/local_block.h"
#include "detect/win9x_request_blocks.h"
#include "platform/win32_types.h"

namespace detect {

struct PrivateRequestOutcome {
    bool opened = false;       // the VWIN32 device could be opened
    bool sent = false;         // the control request succeeded
    win32::DWORD error = 0;    // its error when it did not
    std::uint32_t status = 0;  // the status word of P afterwards, 0 = success
};

// `command` is C, zero-filled, with the command block and data area in place; the answer
// comes back in its data area.
PrivateRequestOutcome SendDriverPrivateRequest(char driveLetter, LocalBlock& command);

}  // namespace detect
