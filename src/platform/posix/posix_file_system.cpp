#include "platform/posix/posix_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/dos_attributes.h"
#include "platform/posix/errno_map.h"
#include "platform/posix/file_copy.h"
#include "platform/win32.h"

namespace platform::posix {
namespace {

using win32::DWORD;
using win32::SetLastError;

bool Fail(DWORD error) {
    SetLastError(error);
    return false;
}

bool FailErrno() {
    return Fail(ErrorFromErrno(errno));
}

DWORD AttributesOf(const HostPath& host) {
    return ReadDosAttributesAt(host.folder.get(), host.AtName(), host.st);
}

bool Has(DWORD attributes, DWORD bits) {
    return attributes != win32::INVALID_FILE_ATTRIBUTES && (attributes & bits) != 0;
}

}  // namespace

win32::FILETIME FileTimeFromTimespec(const struct timespec& time) {
    constexpr std::int64_t kEpochDifference = 11644473600LL;  // 1601 to 1970, in seconds
    const std::int64_t ticks =
        (static_cast<std::int64_t>(time.tv_sec) + kEpochDifference) * 10000000LL +
        time.tv_nsec / 100;
    const auto value = static_cast<std::uint64_t>(ticks < 0 ? 0 : ticks);
    return win32::FILETIME{static_cast<DWORD>(value), static_cast<DWORD>(value >> 32)};
}

PosixFileSystem::FolderChange::FolderChange(PosixFileSystem& files, int folderFd)
    : listings_(files.listings_), folderFd_(folderFd), known_(::fstat(folderFd, &before_) == 0) {}

void PosixFileSystem::FolderChange::Done(const std::vector<std::string>& added,
                                         const std::vector<std::string>& removed) {
    if (known_) listings_.Changed(folderFd_, before_, added, removed);
}

// The drive's root folder for one call. The folder itself may be reached through links (it is
// the machine's own configuration); nothing below it is.
bool PosixFileSystem::EnterDrive(char letter, DriveRoot& root) {
    std::string hostRoot;
    if (!drives_.EnterDrive(letter, hostRoot)) return false;
    std::lock_guard lock(rootsMutex_);
    auto it = canonicalRoots_.find(hostRoot);
    if (it == canonicalRoots_.end()) {
        it = canonicalRoots_.emplace(hostRoot, CanonicalRoot(hostRoot)).first;
    }
    root = DriveRoot{it->second, &listings_, &spellings_};
    return true;
}

bool PosixFileSystem::Resolve(const char* path, HostPath& out, char* drive) {
    WindowsPath parsed;
    DWORD error = ParseWindowsPath(path, drives_.CurrentDirectory(), false, parsed);
    if (error != win32::ERROR_SUCCESS) return Fail(error);
    DriveRoot root;
    if (!EnterDrive(parsed.drive, root)) return false;
    if (drive != nullptr) *drive = parsed.drive;
    error = ResolveBeneath(root, parsed.components, out);
    if (error == win32::ERROR_FILE_NOT_FOUND) error = win32::ERROR_PATH_NOT_FOUND;  // no root
    return error == win32::ERROR_SUCCESS || Fail(error);
}

bool PosixFileSystem::ResolveFolderOf(const char* pattern, UniqueFd& folder, bool& isRoot,
                                      char& drive, std::string& lastName) {
    WindowsPath parsed;
    DWORD error = ParseWindowsPath(pattern, drives_.CurrentDirectory(), true, parsed);
    if (error != win32::ERROR_SUCCESS) return Fail(error);
    DriveRoot root;
    if (!EnterDrive(parsed.drive, root)) return false;
    if (parsed.components.empty()) return Fail(win32::ERROR_FILE_NOT_FOUND);
    drive = parsed.drive;
    lastName = parsed.components.back();
    parsed.components.pop_back();
    isRoot = parsed.components.empty();
    error = OpenFolderBeneath(root, parsed.components, folder);
    return error == win32::ERROR_SUCCESS || Fail(error);
}

win32::DWORD PosixFileSystem::GetFileAttributes(const char* path) {
    HostPath host;
    if (!Resolve(path, host)) return win32::INVALID_FILE_ATTRIBUTES;
    if (!host.exists) {
        SetLastError(win32::ERROR_FILE_NOT_FOUND);
        return win32::INVALID_FILE_ATTRIBUTES;
    }
    const DWORD attributes = AttributesOf(host);
    if (attributes == win32::INVALID_FILE_ATTRIBUTES) FailErrno();
    return attributes;
}

bool PosixFileSystem::SetFileAttributes(const char* path, win32::DWORD attributes) {
    HostPath host;
    if (!Resolve(path, host)) return false;
    if (!host.exists) return Fail(win32::ERROR_FILE_NOT_FOUND);
    if (HasDosAttributesAt(host.folder.get(), host.AtName(), host.st, attributes)) return true;
    return WriteDosAttributesAt(host.folder.get(), host.AtName(), attributes) || FailErrno();
}

bool PosixFileSystem::CreateDirectory(const char* path) {
    HostPath host;
    if (!Resolve(path, host)) return false;
    if (host.exists) return Fail(win32::ERROR_ALREADY_EXISTS);
    FolderChange change(*this, host.folder.get());
    if (::mkdirat(host.folder.get(), host.name.c_str(), 0777) != 0) return FailErrno();
    change.Done({host.name}, {});
    return true;
}

bool PosixFileSystem::RemoveDirectory(const char* path) {
    HostPath host;
    if (!Resolve(path, host)) return false;
    if (!host.exists) return Fail(win32::ERROR_FILE_NOT_FOUND);
    if (!host.IsDirectory() || host.isRoot) return Fail(win32::ERROR_ACCESS_DENIED);
    FolderChange change(*this, host.folder.get());
    if (::unlinkat(host.folder.get(), host.name.c_str(), AT_REMOVEDIR) != 0) return FailErrno();
    change.Done({}, {host.name});
    return true;
}

bool PosixFileSystem::DeleteFile(const char* path) {
    HostPath host;
    if (!Resolve(path, host)) return false;
    if (!host.exists) return Fail(win32::ERROR_FILE_NOT_FOUND);
    if (host.IsDirectory() || Has(AttributesOf(host), win32::FILE_ATTRIBUTE_READONLY)) {
        return Fail(win32::ERROR_ACCESS_DENIED);
    }
    FolderChange change(*this, host.folder.get());
    if (::unlinkat(host.folder.get(), host.name.c_str(), 0) != 0) return FailErrno();
    change.Done({}, {host.name});
    return true;
}

bool PosixFileSystem::CopyFile(const char* source, const char* target, bool failIfExists) {
    HostPath from, to;
    char drive = 0;
    if (!Resolve(source, from) || !Resolve(target, to, &drive)) return false;
    if (!from.exists) return Fail(win32::ERROR_FILE_NOT_FOUND);
    if (from.IsDirectory()) return Fail(win32::ERROR_ACCESS_DENIED);
    if (to.exists) {
        if (failIfExists) return Fail(win32::ERROR_FILE_EXISTS);
        const DWORD refused = win32::FILE_ATTRIBUTE_READONLY | win32::FILE_ATTRIBUTE_HIDDEN;
        if (to.IsDirectory() || to.isRoot || Has(AttributesOf(to), refused)) {
            return Fail(win32::ERROR_ACCESS_DENIED);
        }
    }
    FolderChange change(*this, to.folder.get());
    const DWORD error = CopyHostFile(from, to, failIfExists, [this, drive](std::uint64_t bytes) {
        drives_.ContentWritten(drive, bytes);
    });
    if (error != win32::ERROR_SUCCESS) return Fail(error);
    change.Done(to.exists ? std::vector<std::string>{} : std::vector<std::string>{to.name}, {});
    return true;
}

bool PosixFileSystem::GetDiskFreeSpaceEx(const char* path, std::uint64_t* available,
                                         std::uint64_t* total, std::uint64_t* totalFree) {
    HostPath host;
    char drive = 0;
    if (!Resolve(path, host, &drive)) return false;
    if (!host.exists) return Fail(win32::ERROR_PATH_NOT_FOUND);
    UniqueFd entry(OpenEntry(host, O_PATH));
    struct statvfs fs;
    if (!entry.valid() || ::fstatvfs(entry.get(), &fs) != 0) return FailErrno();
    std::uint64_t free = static_cast<std::uint64_t>(fs.f_bavail) * fs.f_frsize;
    std::uint64_t totalBytes = static_cast<std::uint64_t>(fs.f_blocks) * fs.f_frsize;
    std::uint64_t allFree = static_cast<std::uint64_t>(fs.f_bfree) * fs.f_frsize;
    if (drives_.FreeSpaceOverride(drive, free)) allFree = free;
    if (available != nullptr) *available = free;
    if (total != nullptr) *total = totalBytes;
    if (totalFree != nullptr) *totalFree = allFree;
    return true;
}

}  // namespace platform::posix

namespace platform {

std::unique_ptr<FileSystem> MakeHostFileSystem(DriveMap& drives) {
    return std::make_unique<posix::PosixFileSystem>(drives);
}

}  // namespace platform
