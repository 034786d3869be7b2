// Windows path text to host path: drive letter, backslash or slash separators, names
// resolved without regard to ASCII case one component at a time (an exact match first).
#pragma once

#include <string>
#include <vector>

#include "platform/win32_types.h"

namespace platform::posix {

struct WindowsPath {
    char drive = 0;                       // upper-case drive letter
    std::vector<std::string> components;  // below the drive root; empty for the root itself
};

// Splits a path; relative paths and "\..." paths are taken against `currentDirectory`
// ("C:\some\folder\"). With `wildcardLast` the last component may hold '*' and '?'.
// Returns ERROR_SUCCESS or the Win32 error of a malformed path.
win32::DWORD ParseWindowsPath(const char* path, const std::string& currentDirectory,
                              bool wildcardLast, WindowsPath& out);

struct HostPath {
    std::string path;     // host path (the last component as given when it does not exist)
    bool exists = false;  // something is there
    bool isDirectory = false;
    bool isRoot = false;  // the drive root itself
};

// Resolves the components under a drive's host folder. An intermediate component that is
// missing or not a folder gives ERROR_PATH_NOT_FOUND; a missing last component is not an error.
win32::DWORD ResolveOnHost(const std::string& hostRoot, const std::vector<std::string>& components,
                           HostPath& out);

// The entry of `folder` whose name equals `name` ignoring ASCII case (exact match first).
bool FindEntryNoCase(const std::string& folder, const std::string& name, std::string& found);

std::string JoinHost(const std::string& folder, const std::string& name);

}  // namespace platform::posix
