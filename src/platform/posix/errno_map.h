#pragma once

#include "platform/win32_types.h"

namespace platform::posix {

// The Win32 error a call documents for a failure the host reported as errno.
win32::DWORD ErrorFromErrno(int error);

}  // namespace platform::posix
