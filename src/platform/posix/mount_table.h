// The mounted file systems of the process, read from /proc/self/mountinfo.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform::posix {

struct MountEntry {
    unsigned major = 0;
    unsigned minor = 0;
    std::string root;        // the folder of the file system that is mounted ("/": all of it)
    std::string mountPoint;  // unescaped
    std::string fsType;
    std::string source;  // unescaped, "/dev/sdb1" for a block device
};

// The entries of a mountinfo text, in its order; lines that don't parse are left out.
std::vector<MountEntry> ParseMountInfo(std::string_view text);

// A mountinfo field with its "\040"-style octal escapes (blank, tab, newline, backslash)
// turned back into the bytes they stand for.
std::string UnescapeMountField(std::string_view field);

}  // namespace platform::posix
