#include "platform/posix/path_resolver.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/ascii.h"
#include "platform/posix/errno_map.h"

namespace platform::posix {

int OpenFolderForListing(int folderFd) {
    return ::openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

bool IsUsableEntry(const struct stat& st) {
    return S_ISREG(st.st_mode) || S_ISDIR(st.st_mode);
}

int LookupEntry(int folderFd, const std::string& name, std::string& found, struct stat& st) {
    if (::fstatat(folderFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
        found = name;
        return 0;
    }
    if (errno == ENAMETOOLONG) return ENOENT;  // no entry can carry such a name
    if (errno != ENOENT) return errno;
    const int listing = OpenFolderForListing(folderFd);
    if (listing < 0) return errno;
    DIR* dir = ::fdopendir(listing);
    if (dir == nullptr) {
        const int error = errno;
        ::close(listing);
        return error;
    }
    std::vector<std::string> matches;
    while (dirent* entry = ::readdir(dir)) {
        if (platform::EqualsNoCase(entry->d_name, name)) matches.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    if (matches.empty()) return ENOENT;
    // Several host names may differ only in case; take the same one every time.
    found = *std::min_element(matches.begin(), matches.end());
    return ::fstatat(folderFd, found.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 ? 0 : errno;
}

namespace {

UniqueFd ReopenFolder(int folderFd) {
    return UniqueFd(::openat(folderFd, ".", O_PATH | O_DIRECTORY | O_CLOEXEC));
}

// What a found entry means on the way to a deeper one.
win32::DWORD CheckFolderOnTheWay(const struct stat& st) {
    if (S_ISLNK(st.st_mode) || !IsUsableEntry(st)) return win32::ERROR_ACCESS_DENIED;
    return S_ISDIR(st.st_mode) ? win32::ERROR_SUCCESS : win32::ERROR_PATH_NOT_FOUND;
}

// The exact spelling in one call, where the kernel can refuse links and escapes itself.
// -1 when the slow walk must decide (a name in other case, or no such call here).
int OpenExactBeneath(int rootFd, const std::vector<std::string>& components, win32::DWORD& error) {
#ifdef SYS_openat2
    std::string relative;
    for (const std::string& component : components) {
        if (!relative.empty()) relative += '/';
        relative += component;
    }
    struct open_how how {};
    how.flags = O_PATH | O_DIRECTORY | O_CLOEXEC;
    how.resolve = RESOLVE_BENEATH | RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS;
    const long fd = ::syscall(SYS_openat2, rootFd, relative.c_str(), &how, sizeof how);
    if (fd >= 0) return static_cast<int>(fd);
    if (errno == ELOOP || errno == EXDEV) error = win32::ERROR_ACCESS_DENIED;
    if (errno == ENOTDIR) error = win32::ERROR_PATH_NOT_FOUND;
#else
    (void)rootFd;
    (void)components;
    (void)error;
#endif
    return -1;
}

// One folder at a time, each name found without regard to case.
win32::DWORD WalkBeneath(int rootFd, const std::vector<std::string>& components, UniqueFd& out) {
    UniqueFd current = ReopenFolder(rootFd);
    if (!current.valid()) return ErrorFromErrno(errno);
    for (const std::string& component : components) {
        std::string found;
        struct stat st;
        const int lookup = LookupEntry(current.get(), component, found, st);
        if (lookup == ENOENT) return win32::ERROR_PATH_NOT_FOUND;
        if (lookup != 0) return ErrorFromErrno(lookup);
        if (const win32::DWORD error = CheckFolderOnTheWay(st)) return error;
        UniqueFd next(
            ::openat(current.get(), found.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        // Swapped for a link or a file since it was looked at: refused all the same.
        if (!next.valid())
            return errno == ENOTDIR ? win32::ERROR_ACCESS_DENIED : ErrorFromErrno(errno);
        current = std::move(next);
    }
    out = std::move(current);
    return win32::ERROR_SUCCESS;
}

}  // namespace

win32::DWORD OpenFolderBeneath(int rootFd, const std::vector<std::string>& components,
                               UniqueFd& out) {
    if (components.empty()) {
        out = ReopenFolder(rootFd);
        return out.valid() ? win32::ERROR_SUCCESS : ErrorFromErrno(errno);
    }
    win32::DWORD error = win32::ERROR_SUCCESS;
    const int fd = OpenExactBeneath(rootFd, components, error);
    if (fd >= 0) {
        out = UniqueFd(fd);
        return win32::ERROR_SUCCESS;
    }
    if (error != win32::ERROR_SUCCESS) return error;
    return WalkBeneath(rootFd, components, out);
}

win32::DWORD ResolveBeneath(int rootFd, const std::vector<std::string>& components, HostPath& out) {
    out = HostPath{};
    if (components.empty()) {
        out.folder = ReopenFolder(rootFd);
        if (!out.folder.valid() || ::fstat(out.folder.get(), &out.st) != 0) {
            return ErrorFromErrno(errno);
        }
        out.exists = out.isRoot = true;
        return win32::ERROR_SUCCESS;
    }
    const std::vector<std::string> folders(components.begin(), components.end() - 1);
    if (const win32::DWORD error = OpenFolderBeneath(rootFd, folders, out.folder)) return error;
    out.givenName = components.back();
    const int lookup = LookupEntry(out.folder.get(), out.givenName, out.name, out.st);
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
