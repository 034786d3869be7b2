#include "platform/win32/win32_file_system.h"

#include "platform/win32.h"
#include "platform/win32/windows_api.h"

namespace platform::windows {
namespace {

bool Fail(DWORD error) {
    win32::SetLastError(error);
    return false;
}

bool Forwarded(BOOL ok) {
    return ok != FALSE || FailWithHostError();
}

// What a copy tells the drive map as its content goes onto the target's drive.
struct CopyProgress {
    DriveMap* drives;
    char drive;
    std::uint64_t reported = 0;
};

DWORD CALLBACK ReportCopied(LARGE_INTEGER, LARGE_INTEGER transferred, LARGE_INTEGER, LARGE_INTEGER,
                            DWORD, DWORD, HANDLE, HANDLE, LPVOID context) {
    auto* progress = static_cast<CopyProgress*>(context);
    const auto now = static_cast<std::uint64_t>(transferred.QuadPart);
    if (now > progress->reported) {
        progress->drives->ContentWritten(progress->drive, now - progress->reported);
        progress->reported = now;
    }
    return PROGRESS_CONTINUE;
}

// The name an entry is kept under on the host, when something is there.
bool StoredName(const std::wstring& host, std::wstring& name) {
    WIN32_FIND_DATAW found;
    const HANDLE search = ::FindFirstFileW(host.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    ::FindClose(search);
    name = found.cFileName;
    return true;
}

// Renames an entry to the same name in other capitals. Wine takes such a rename for done
// and leaves the name as it was; then the entry goes through a name of its own in between.
bool RenameCaseOnly(const std::wstring& old, const std::wstring& spelled) {
    if (!::MoveFileExW(old.c_str(), spelled.c_str(), 0)) return false;
    std::wstring now;
    if (!StoredName(spelled, now) || now == spelled.substr(spelled.rfind(L'\\') + 1)) return true;
    const std::wstring between = old + L".~kpzcase";
    if (!::MoveFileExW(old.c_str(), between.c_str(), 0)) return false;
    if (::MoveFileExW(between.c_str(), spelled.c_str(), 0)) return true;
    const DWORD error = ::GetLastError();
    ::MoveFileExW(between.c_str(), old.c_str(), 0);
    ::SetLastError(error);
    return false;
}

// An entry that is there under other capitals than `spelled`: its path as kept; else empty.
std::wstring OtherSpelling(const std::wstring& spelled) {
    const std::size_t slash = spelled.rfind(L'\\');
    std::wstring stored;
    if (!StoredName(spelled, stored) || stored == spelled.substr(slash + 1)) return {};
    return spelled.substr(0, slash + 1) + stored;
}

}  // namespace

bool FailWithHostError() {
    return Fail(::GetLastError());
}

bool ExistingFileHas(const std::wstring& host, win32::DWORD attributes) {
    const DWORD found = ::GetFileAttributesW(host.c_str());
    return found != INVALID_FILE_ATTRIBUTES && !(found & FILE_ATTRIBUTE_DIRECTORY) &&
           (found & attributes) != 0;
}

win32::DWORD Win32FileSystem::GetFileAttributes(const char* path) {
    DrivePath mapped;
    if (!Map(path, mapped)) return INVALID_FILE_ATTRIBUTES;
    const DWORD attributes = ::GetFileAttributesW(mapped.host.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) FailWithHostError();
    return attributes;
}

bool Win32FileSystem::SetFileAttributes(const char* path, win32::DWORD attributes) {
    DrivePath mapped;
    if (!Map(path, mapped)) return false;
    const wchar_t* host = mapped.host.c_str();
    if (!(attributes & FILE_ATTRIBUTE_READONLY)) {
        return Forwarded(::SetFileAttributesW(host, attributes));
    }
    // The other bits first, while the file may still be written: Wine keeps hidden and
    // system where a user who is not root can no longer write once read-only is set.
    // Whole or not at all: a refused second step puts the first one back.
    const DWORD before = ::GetFileAttributesW(host);
    if (before == INVALID_FILE_ATTRIBUTES) return FailWithHostError();
    if (!::SetFileAttributesW(host, attributes & ~FILE_ATTRIBUTE_READONLY)) {
        return FailWithHostError();
    }
    if (::SetFileAttributesW(host, attributes)) return true;
    const DWORD error = ::GetLastError();
    ::SetFileAttributesW(host, before);
    return Fail(error);
}

bool Win32FileSystem::CreateDirectory(const char* path) {
    DrivePath mapped;
    return Map(path, mapped) && Forwarded(::CreateDirectoryW(mapped.host.c_str(), nullptr));
}

bool Win32FileSystem::RemoveDirectory(const char* path) {
    DrivePath mapped;
    if (!Map(path, mapped)) return false;
    if (mapped.isRoot) return Fail(ERROR_ACCESS_DENIED);  // never the drive's own folder
    return Forwarded(::RemoveDirectoryW(mapped.host.c_str()));
}

bool Win32FileSystem::DeleteFile(const char* path) {
    DrivePath mapped;
    return Map(path, mapped) && Forwarded(::DeleteFileW(mapped.host.c_str()));
}

bool Win32FileSystem::CopyFile(const char* source, const char* target, bool failIfExists) {
    DrivePath from, to;
    if (!Map(source, from) || !Map(target, to)) return false;
    if (!failIfExists &&
        ExistingFileHas(to.host, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY)) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    CopyProgress progress{&drives_, to.drive};
    const DWORD flags = failIfExists ? COPY_FILE_FAIL_IF_EXISTS : 0;
    if (!::CopyFileExW(from.host.c_str(), to.host.c_str(), ReportCopied, &progress, nullptr,
                       flags)) {
        return FailWithHostError();
    }
    // Wine calls no progress routine; the copy's size is told once it is complete.
    WIN32_FILE_ATTRIBUTE_DATA copied;
    if (progress.reported == 0 &&
        ::GetFileAttributesExW(to.host.c_str(), GetFileExInfoStandard, &copied)) {
        const std::uint64_t size =
            (std::uint64_t{copied.nFileSizeHigh} << 32) | copied.nFileSizeLow;
        if (size > 0) drives_.ContentWritten(to.drive, size);
    }
    return true;
}

bool Win32FileSystem::MoveFile(const char* source, const char* target, win32::DWORD flags) {
    DrivePath from, to;
    if (!Map(source, from) || !Map(target, to)) return false;
    if (::GetFileAttributesW(from.host.c_str()) == INVALID_FILE_ATTRIBUTES) {
        return FailWithHostError();
    }
    // Drives are folders of one host volume here; a move between them is refused as
    // Windows refuses one between volumes.
    if (from.drive != to.drive) return Fail(ERROR_NOT_SAME_DEVICE);
    if (from.isRoot || to.isRoot) return Fail(ERROR_ACCESS_DENIED);
    // The entry ends under the name as the caller wrote it, also where it replaces one spelled
    // in other capitals or is that entry itself.
    const std::wstring other = OtherSpelling(to.host);
    if (::lstrcmpiW(from.host.c_str(), to.host.c_str()) == 0) {
        return other.empty() || RenameCaseOnly(other, to.host) || FailWithHostError();
    }
    if (!other.empty() && (flags & MOVEFILE_REPLACE_EXISTING) && !RenameCaseOnly(other, to.host)) {
        return FailWithHostError();
    }
    return Forwarded(::MoveFileExW(from.host.c_str(), to.host.c_str(), flags));
}

bool Win32FileSystem::GetDiskFreeSpaceEx(const char* path, std::uint64_t* available,
                                         std::uint64_t* total, std::uint64_t* totalFree) {
    DrivePath mapped;
    ULARGE_INTEGER free, all, allFree;
    if (!Map(path, mapped) ||
        !Forwarded(::GetDiskFreeSpaceExW(mapped.host.c_str(), &free, &all, &allFree))) {
        return false;
    }
    std::uint64_t freeBytes = free.QuadPart;
    std::uint64_t allFreeBytes = allFree.QuadPart;
    if (drives_.FreeSpaceOverride(mapped.drive, freeBytes)) allFreeBytes = freeBytes;
    if (available != nullptr) *available = freeBytes;
    if (total != nullptr) *total = all.QuadPart;
    if (totalFree != nullptr) *totalFree = allFreeBytes;
    return true;
}

}  // namespace platform::windows

namespace platform {

std::unique_ptr<FileSystem> MakeHostFileSystem(DriveMap& drives) {
    return std::make_unique<windows::Win32FileSystem>(drives);
}

}  // namespace platform
