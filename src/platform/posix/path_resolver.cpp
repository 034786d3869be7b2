#include "platform/posix/path_resolver.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/ascii.h"
#include "platform/posix/errno_map.h"
#include "platform/posix/folder_listings.h"
#include "platform/posix/folder_spellings.h"

namespace platform::posix {

int OpenFolderForListing(int folderFd) {
    return ::openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

bool IsUsableEntry(const struct stat& st) {
    return S_ISREG(st.st_mode) || S_ISDIR(st.st_mode);
}

int LookupEntry(int folderFd, const std::string& name, std::string& found, struct stat& st,
                FolderListings* listings) {
    if (::fstatat(folderFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
        found = name;
        return 0;
    }
    if (errno == ENAMETOOLONG) return ENOENT;  // no entry can carry such a name
    if (errno != ENOENT) return errno;
    FolderListings once;  // without the core's listings, read for this lookup only
    std::vector<std::string> matches;
    if (const int error = (listings ? *listings : once).FindNoCase(folderFd, name, matches)) {
        return error;
    }
    if (matches.empty()) return ENOENT;
    // Several host names may differ only in case; take the same one every time.
    found = matches.front();
    return ::fstatat(folderFd, found.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 ? 0 : errno;
}

std::string CanonicalRoot(const std::string& hostRoot) {
    char* resolved = ::realpath(hostRoot.c_str(), nullptr);
    if (resolved == nullptr) return hostRoot;
    std::string path(resolved);
    std::free(resolved);
    return path;
}

namespace {

// What a found entry means on the way to a deeper one.
win32::DWORD CheckFolderOnTheWay(const struct stat& st) {
    if (S_ISLNK(st.st_mode) || !IsUsableEntry(st)) return win32::ERROR_ACCESS_DENIED;
    return S_ISDIR(st.st_mode) ? win32::ERROR_SUCCESS : win32::ERROR_PATH_NOT_FOUND;
}

UniqueFd OpenRoot(const DriveRoot& root) {
    return UniqueFd(::open(root.path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
}

// The exact spelling in one call, where the kernel can refuse links itself: the root has none,
// and no component is "." or "..", so the path can't leave it. -1 when the walk must decide (a
// name in other case, or no such call here).
int OpenExactBeneath(const DriveRoot& root, const std::vector<std::string>& components,
                     win32::DWORD& error) {
#ifdef SYS_openat2
    std::string path = root.path;
    for (const std::string& component : components) {
        if (path.empty() || path.back() != '/') path += '/';
        path += component;
    }
    struct open_how how {};
    how.flags = O_PATH | O_DIRECTORY | O_CLOEXEC;
    how.resolve = RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS;
    const long fd = ::syscall(SYS_openat2, AT_FDCWD, path.c_str(), &how, sizeof how);
    if (fd >= 0) return static_cast<int>(fd);
    if (errno == ELOOP) error = win32::ERROR_ACCESS_DENIED;
    if (errno == ENOTDIR) error = win32::ERROR_PATH_NOT_FOUND;
#else
    (void)root;
    (void)components;
    (void)error;
#endif
    return -1;
}

// One folder at a time, each name found without regard to case; the names found are the
// folder's host spelling.
win32::DWORD WalkBeneath(const DriveRoot& root, const std::vector<std::string>& components,
                         UniqueFd& out, std::vector<std::string>& spelling) {
    UniqueFd current = OpenRoot(root);
    if (!current.valid()) return ErrorFromErrno(errno);
    for (const std::string& component : components) {
        std::string found;
        struct stat st;
        const int lookup = LookupEntry(current.get(), component, found, st, root.listings);
        if (lookup == ENOENT) return win32::ERROR_PATH_NOT_FOUND;
        if (lookup != 0) return ErrorFromErrno(lookup);
        if (const win32::DWORD error = CheckFolderOnTheWay(st)) return error;
        UniqueFd next(
            ::openat(current.get(), found.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        // Swapped for a link or a file since it was looked at: refused all the same.
        if (!next.valid())
            return errno == ENOTDIR ? win32::ERROR_ACCESS_DENIED : ErrorFromErrno(errno);
        current = std::move(next);
        spelling.push_back(found);
    }
    out = std::move(current);
    return win32::ERROR_SUCCESS;
}

bool IsDots(const std::string& name) {
    return name == "." || name == "..";
}

}  // namespace

win32::DWORD OpenFolderBeneath(const DriveRoot& root, const std::vector<std::string>& components,
                               UniqueFd& out) {
    if (std::any_of(components.begin(), components.end(), IsDots)) {
        return win32::ERROR_INVALID_NAME;  // never formed by the path parser; never followed
    }
    if (components.empty()) {
        out = OpenRoot(root);
        return out.valid() ? win32::ERROR_SUCCESS : ErrorFromErrno(errno);
    }
    win32::DWORD error = win32::ERROR_SUCCESS;
    int fd = OpenExactBeneath(root, components, error);
    if (fd < 0 && error == win32::ERROR_SUCCESS && root.spellings != nullptr) {
        // Spelt otherwise on the host, as found before; an exact match would have won above.
        if (const auto spelling = root.spellings->Find(root.path, components)) {
            win32::DWORD ignored = win32::ERROR_SUCCESS;
            fd = OpenExactBeneath(root, *spelling, ignored);
        }
    }
    if (fd >= 0) {
        out = UniqueFd(fd);
        return win32::ERROR_SUCCESS;
    }
    if (error != win32::ERROR_SUCCESS) return error;
    std::vector<std::string> spelling;
    error = WalkBeneath(root, components, out, spelling);
    if (error == win32::ERROR_SUCCESS && root.spellings != nullptr) {
        root.spellings->Remember(root.path, components, spelling);
    }
    return error;
}

win32::DWORD ResolveBeneath(const DriveRoot& root, const std::vector<std::string>& components,
                            HostPath& out) {
    out = HostPath{};
    if (components.empty()) {
        out.folder = OpenRoot(root);
        if (!out.folder.valid() || ::fstat(out.folder.get(), &out.st) != 0) {
            return ErrorFromErrno(errno);
        }
        out.exists = out.isRoot = true;
        return win32::ERROR_SUCCESS;
    }
    const std::vector<std::string> folders(components.begin(), components.end() - 1);
    if (const win32::DWORD error = OpenFolderBeneath(root, folders, out.folder)) return error;
    out.givenName = components.back();
    if (IsDots(out.givenName)) return win32::ERROR_INVALID_NAME;
    const int lookup =
        LookupEntry(out.folder.get(), out.givenName, out.name, out.st, root.listings);
    if (lookup == ENOENT) {
        out.name = out.givenName;
        return win32::ERROR_SUCCESS;
    }
    if (lookup != 0) return ErrorFromErrno(lookup);
    if (S_ISLNK(out.st.st_mode) || !IsUsableEntry(out.st)) return win32::ERROR_ACCESS_DENIED;
    out.exists = true;
    return win32::ERROR_SUCCESS;
}

int OpenEntry(const HostPath& path, int flags) {
    return ::openat(path.folder.get(), path.AtName(), flags | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY);
}

}  // namespace platform::posix
