#pragma once

#include <string>

#include "platform/win32_types.h"

namespace platform::posix {

// Copies a host file the way CopyFileA does: the content goes to a temporary sibling of the
// target, which takes the source's last-write time and attributes and then replaces the
// target in one rename, so a failed copy leaves the old target (or nothing) behind.
// Returns ERROR_SUCCESS or the Win32 error.
win32::DWORD CopyHostFile(const std::string& source, const std::string& target, bool failIfExists);

}  // namespace platform::posix
