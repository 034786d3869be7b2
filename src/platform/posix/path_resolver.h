// Windows path text to host path: drive letter, backslash or slash separators, names
// resolved beneath the drive's root without regard to ASCII case (an exact match first),
// never through a symbolic link.
#pragma once

#include <sys/stat.h>

#include <string>
#include <vector>

#include "platform/posix/unique_fd.h"
#include "platform/win32_types.h"
#include "platform/windows_path.h"

namespace platform::posix {

// What a path names on the host: the folder that holds it, opened beneath the drive's root,
// and its name there. Nothing on the way was a symbolic link.
struct HostPath {
    UniqueFd folder;        // the holding folder (O_PATH); for the drive root, the root itself
    std::string name;       // the host name in that folder (as given when nothing is there)
    std::string givenName;  // the last component as the caller wrote it; empty for the root
    bool exists = false;
    bool isRoot = false;
    struct stat st {};  // what lies there, when something does

    bool IsDirectory() const { return exists && S_ISDIR(st.st_mode); }
    // The name for the *at() calls: "." for the drive root.
    const char* AtName() const { return isRoot ? "." : name.c_str(); }
};

class FolderListings;
class FolderSpellings;

// Where resolution starts: a drive's root folder as a host path that passes through no link
// (see CanonicalRoot), and what the core keeps of folders it had to read and walk.
struct DriveRoot {
    std::string path;
    FolderListings* listings = nullptr;
    FolderSpellings* spellings = nullptr;
};

// Resolves the components beneath the root, one folder at a time without regard to ASCII case
// (an exact match first), never through a symbolic link. A link met anywhere on the way, or
// anything that is neither a file nor a folder, gives ERROR_ACCESS_DENIED; an intermediate
// component that is missing or not a folder gives ERROR_PATH_NOT_FOUND; a missing last
// component is not an error.
win32::DWORD ResolveBeneath(const DriveRoot& root, const std::vector<std::string>& components,
                            HostPath& out);

// Opens a folder named by its components beneath the root (O_PATH), by the same rules.
win32::DWORD OpenFolderBeneath(const DriveRoot& root, const std::vector<std::string>& components,
                               UniqueFd& out);

// The entry of an open folder named `name`, an exact match first, else one that differs only
// in ASCII case. 0, ENOENT, or the errno of a folder that could not be read.
int LookupEntry(int folderFd, const std::string& name, std::string& found, struct stat& st,
                FolderListings* listings);

// The host path of a drive's root folder with every link in it resolved, so that nothing below
// it needs to be followed; the path as given when it can't be resolved.
std::string CanonicalRoot(const std::string& hostRoot);

// Opens what the path names with `flags`, never following a link; -1 with errno set.
int OpenEntry(const HostPath& path, int flags);

// A folder opened for reading its entries, from an O_PATH descriptor; -1 with errno set.
int OpenFolderForListing(int folderFd);

// Whether what a lookup found may be used at all: a regular file or a folder.
bool IsUsableEntry(const struct stat& st);

}  // namespace platform::posix
