#include "platform/posix/posix_system.h"

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

bool IsReadOnlyOrHidden(DWORD attributes) {
    return attributes != win32::INVALID_FILE_ATTRIBUTES &&
           (attributes & (win32::FILE_ATTRIBUTE_READONLY | win32::FILE_ATTRIBUTE_HIDDEN)) != 0;
}

bool IsReadOnly(const std::string& hostPath) {
    const DWORD attributes = ReadDosAttributes(hostPath);
    return attributes != win32::INVALID_FILE_ATTRIBUTES &&
           (attributes & win32::FILE_ATTRIBUTE_READONLY) != 0;
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

bool PosixSystem::FreeSpaceOverride(char, std::uint64_t&) {
    return false;
}

bool PosixSystem::Resolve(const char* path, HostPath& out, char* drive, bool wildcard,
                          std::string* lastName) {
    WindowsPath parsed;
    DWORD error = ParseWindowsPath(path, CurrentDirectory(), wildcard, parsed);
    if (error != win32::ERROR_SUCCESS) return Fail(error);
    std::string hostRoot;
    if (!EnterDrive(parsed.drive, hostRoot)) return false;
    if (drive != nullptr) *drive = parsed.drive;
    if (lastName != nullptr) {
        if (parsed.components.empty()) return Fail(win32::ERROR_FILE_NOT_FOUND);
        *lastName = parsed.components.back();
        parsed.components.pop_back();
    }
    error = ResolveOnHost(hostRoot, parsed.components, out);
    return error == win32::ERROR_SUCCESS || Fail(error);
}

win32::DWORD PosixSystem::GetFileAttributes(const char* path) {
    HostPath host;
    if (!Resolve(path, host)) return win32::INVALID_FILE_ATTRIBUTES;
    if (!host.exists) {
        SetLastError(win32::ERROR_FILE_NOT_FOUND);
        return win32::INVALID_FILE_ATTRIBUTES;
    }
    const DWORD attributes = ReadDosAttributes(host.path);
    if (attributes == win32::INVALID_FILE_ATTRIBUTES) FailErrno();
    return attributes;
}

bool PosixSystem::SetFileAttributes(const char* path, win32::DWORD attributes) {
    HostPath host;
    if (!Resolve(path, host)) return false;
    if (!host.exists) return Fail(win32::ERROR_FILE_NOT_FOUND);
    return WriteDosAttributes(host.path, attributes) || FailErrno();
}

bool PosixSystem::CreateDirectory(const char* path) {
    HostPath host;
    if (!Resolve(path, host)) return false;
    if (host.exists) return Fail(win32::ERROR_ALREADY_EXISTS);
    return ::mkdir(host.path.c_str(), 0777) == 0 || FailErrno();
}

bool PosixSystem::RemoveDirectory(const char* path) {
    HostPath host;
    if (!Resolve(path, host)) return false;
    if (!host.exists) return Fail(win32::ERROR_FILE_NOT_FOUND);
    if (!host.isDirectory || host.isRoot) return Fail(win32::ERROR_ACCESS_DENIED);
    return ::rmdir(host.path.c_str()) == 0 || FailErrno();
}

bool PosixSystem::DeleteFile(const char* path) {
    HostPath host;
    if (!Resolve(path, host)) return false;
    if (!host.exists) return Fail(win32::ERROR_FILE_NOT_FOUND);
    if (host.isDirectory || IsReadOnly(host.path)) return Fail(win32::ERROR_ACCESS_DENIED);
    return ::unlink(host.path.c_str()) == 0 || FailErrno();
}

bool PosixSystem::CopyFile(const char* source, const char* target, bool failIfExists) {
    HostPath from, to;
    if (!Resolve(source, from) || !Resolve(target, to)) return false;
    if (!from.exists) return Fail(win32::ERROR_FILE_NOT_FOUND);
    if (from.isDirectory) return Fail(win32::ERROR_ACCESS_DENIED);
    if (to.exists) {
        if (failIfExists) return Fail(win32::ERROR_FILE_EXISTS);
        if (to.isDirectory || IsReadOnlyOrHidden(ReadDosAttributes(to.path))) {
            return Fail(win32::ERROR_ACCESS_DENIED);
        }
    }
    const DWORD error = CopyHostFile(from.path, to.path, failIfExists);
    return error == win32::ERROR_SUCCESS || Fail(error);
}

bool PosixSystem::MoveFile(const char* source, const char* target, win32::DWORD flags) {
    HostPath from, to;
    char fromDrive = 0, toDrive = 0;
    if (!Resolve(source, from, &fromDrive) || !Resolve(target, to, &toDrive)) return false;
    if (!from.exists) return Fail(win32::ERROR_FILE_NOT_FOUND);
    if (fromDrive != toDrive) return Fail(win32::ERROR_NOT_SAME_DEVICE);
    const bool sameEntry = from.path == to.path;
    if (to.exists && !sameEntry) {
        if ((flags & win32::MOVEFILE_REPLACE_EXISTING) == 0) {
            return Fail(win32::ERROR_ALREADY_EXISTS);
        }
        if (to.isDirectory || IsReadOnly(to.path)) return Fail(win32::ERROR_ACCESS_DENIED);
    }
    return ::rename(from.path.c_str(), to.path.c_str()) == 0 || FailErrno();
}

bool PosixSystem::GetDiskFreeSpaceEx(const char* path, std::uint64_t* available,
                                     std::uint64_t* total, std::uint64_t* totalFree) {
    HostPath host;
    char drive = 0;
    if (!Resolve(path, host, &drive)) return false;
    if (!host.exists) return Fail(win32::ERROR_PATH_NOT_FOUND);
    struct statvfs fs;
    if (::statvfs(host.path.c_str(), &fs) != 0) return FailErrno();
    std::uint64_t free = static_cast<std::uint64_t>(fs.f_bavail) * fs.f_frsize;
    std::uint64_t totalBytes = static_cast<std::uint64_t>(fs.f_blocks) * fs.f_frsize;
    std::uint64_t allFree = static_cast<std::uint64_t>(fs.f_bfree) * fs.f_frsize;
    if (FreeSpaceOverride(drive, free)) allFree = free;
    if (available != nullptr) *available = free;
    if (total != nullptr) *total = totalBytes;
    if (totalFree != nullptr) *totalFree = allFree;
    return true;
}

win32::HANDLE PosixSystem::NewHandle() {
    std::lock_guard lock(handlesMutex_);
    nextHandle_ += 4;
    return reinterpret_cast<win32::HANDLE>(nextHandle_);
}

win32::HANDLE PosixSystem::CreateFile(const char*, win32::DWORD, win32::DWORD, win32::DWORD,
                                      win32::DWORD) {
    SetLastError(win32::ERROR_FILE_NOT_FOUND);
    return win32::INVALID_HANDLE_VALUE;
}

bool PosixSystem::DeviceIoControl(win32::HANDLE, win32::DWORD, void*, win32::DWORD, void*,
                                  win32::DWORD, win32::DWORD*) {
    return Fail(win32::ERROR_INVALID_HANDLE);
}

bool PosixSystem::CloseHandle(win32::HANDLE) {
    return Fail(win32::ERROR_INVALID_HANDLE);
}

}  // namespace platform::posix
