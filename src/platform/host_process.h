// Facts of the host process that the simulated computer passes on: the local time when the
// machine fixes none, and the sudden end of the process for the power-cut fault.
#pragma once

#include "platform/win32_types.h"

namespace platform {

// The host's local time, as GetLocalTime gives it.
win32::SYSTEMTIME HostLocalTime();

// Ends the process at once, as a power cut would: nothing of ours runs after it.
[[noreturn]] void KillProcessAbruptly();

}  // namespace platform
