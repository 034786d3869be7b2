// Windows path texts taken apart: the drive letter and the names below its root, with the
// rules Windows applies to them (separators, "." and "..", trailing dots and blanks, the
// characters no name may hold, the length limit).
#pragma once

#include <string>
#include <vector>

#include "platform/win32_types.h"

namespace platform {

struct WindowsPath {
    char drive = 0;                       // upper-case drive letter
    std::vector<std::string> components;  // below the drive root; empty for the root itself
    bool trailingSeparator = false;       // "...\name\": the name must be a folder
};

// Splits a path; relative paths and "\..." paths are taken against `currentDirectory`
// ("C:\some\folder\"). With `wildcardLast` the last component may hold '*' and '?'.
// Returns ERROR_SUCCESS or the Win32 error of a malformed path.
win32::DWORD ParseWindowsPath(const char* path, const std::string& currentDirectory,
                              bool wildcardLast, WindowsPath& out);

}  // namespace platform
