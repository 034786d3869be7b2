// CopyFileA on the host.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/posix/path_resolver.h"
#include "platform/win32_types.h"

namespace platform::posix {

// Copies a resolved source file under the target's name, as CopyFileA does: an existing target
// is overwritten (with `failIfExists` an existing name is refused); the copy takes the source's
// last-write time and attributes and is on the medium when the call returns. A copy that fails
// removes what it wrote. `written` hears of each piece of content as it lands.
// Returns ERROR_SUCCESS or the Win32 error.
win32::DWORD CopyHostFile(const HostPath& source, const HostPath& target, bool failIfExists,
                          const std::function<void(std::uint64_t)>& written);

}  // namespace platform::posix
