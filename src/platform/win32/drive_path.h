// A Windows path of the computer mapped onto the host folder of its drive: taken apart by the
// Windows rules with ".." clamped at the drive's root, and never through a reparse point (a
// link or a junction), so nothing reaches outside the drive's folder. The host path is a
// "\\?\" path for the wide calls, since a drive's folder may lie deep enough on the host that
// its paths pass MAX_PATH, which the A calls do not take.
#pragma once

#include <string>

#include "platform/file_system.h"

namespace platform::windows {

struct DrivePath {
    char drive = 0;       // upper-case drive letter
    std::wstring host;    // the host path, absolute and "\\?\" prefixed
    bool isRoot = false;  // the drive's root itself (for a pattern: its folder is the root)
};

// Maps a path; false with the last error set. With `pattern` the last component is a search
// pattern, which may hold wildcards and is not looked at on the host.
bool MapDrivePath(DriveMap& drives, const char* path, bool pattern, DrivePath& out);

// A text in the system code page as UTF-16, and back; back is empty for a name the code page
// cannot hold (no path of the facade can name it).
std::wstring WideFromCodePage(const std::string& text);
std::string CodePageFromWide(const std::wstring& text);

}  // namespace platform::windows
