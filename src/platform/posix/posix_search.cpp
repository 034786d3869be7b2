// FindFirstFileA / FindNextFileA: the matching names of one folder, files and folders alike,
// in a stable order (by name, ignoring case), "." and ".." first below a drive root.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>

#include "platform/ascii.h"
#include "platform/posix/dos_attributes.h"
#include "platform/posix/posix_system.h"
#include "platform/posix/wildcard.h"
#include "platform/win32.h"

namespace platform::posix {
namespace {

bool LessNoCase(const std::string& a, const std::string& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const char x = ToLowerAscii(a[i]), y = ToLowerAscii(b[i]);
        if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    }
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

bool FillRecord(const std::string& hostPath, const std::string& name,
                win32::WIN32_FIND_DATAA& record) {
    struct stat st;
    if (name.size() >= sizeof record.cFileName || ::stat(hostPath.c_str(), &st) != 0) {
        return false;
    }
    const win32::DWORD attributes = ReadDosAttributes(hostPath);
    if (attributes == win32::INVALID_FILE_ATTRIBUTES) return false;
    record = win32::WIN32_FIND_DATAA{};
    record.dwFileAttributes = attributes;
    record.ftCreationTime = FileTimeFromTimespec(st.st_ctim);
    record.ftLastAccessTime = FileTimeFromTimespec(st.st_atim);
    record.ftLastWriteTime = FileTimeFromTimespec(st.st_mtim);
    const auto size = S_ISDIR(st.st_mode) ? 0 : static_cast<std::uint64_t>(st.st_size);
    record.nFileSizeHigh = static_cast<win32::DWORD>(size >> 32);
    record.nFileSizeLow = static_cast<win32::DWORD>(size);
    std::memcpy(record.cFileName, name.c_str(), name.size() + 1);
    return true;
}

std::vector<std::string> MatchingNames(const std::string& folder, const std::string& pattern) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return names;
    while (dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        if (MatchesWildcard(pattern, name)) names.push_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end(), LessNoCase);
    return names;
}

}  // namespace

bool PosixSystem::ListMatches(const HostPath& folder, const std::string& pattern,
                              std::vector<win32::WIN32_FIND_DATAA>& items) {
    win32::WIN32_FIND_DATAA record;
    if (!folder.isRoot) {
        for (const char* dots : {".", ".."}) {
            const std::string host = dots[1] ? JoinHost(folder.path, "..") : folder.path;
            if (MatchesWildcard(pattern, dots) && FillRecord(host, dots, record)) {
                items.push_back(record);
            }
        }
    }
    for (const std::string& name : MatchingNames(folder.path, pattern)) {
        if (FillRecord(JoinHost(folder.path, name), name, record)) items.push_back(record);
    }
    return !items.empty();
}

win32::HANDLE PosixSystem::FindFirstFile(const char* pattern, win32::WIN32_FIND_DATAA* data) {
    HostPath folder;
    char drive = 0;
    std::string lastName;
    if (data == nullptr) {
        win32::SetLastError(win32::ERROR_INVALID_PARAMETER);
        return win32::INVALID_HANDLE_VALUE;
    }
    if (!Resolve(pattern, folder, &drive, true, &lastName)) return win32::INVALID_HANDLE_VALUE;
    if (!folder.exists || !folder.isDirectory) {
        win32::SetLastError(win32::ERROR_PATH_NOT_FOUND);
        return win32::INVALID_HANDLE_VALUE;
    }
    Search search{drive, {}, 0};
    if (!ListMatches(folder, lastName, search.items)) {
        win32::SetLastError(win32::ERROR_FILE_NOT_FOUND);
        return win32::INVALID_HANDLE_VALUE;
    }
    *data = search.items[0];
    search.next = 1;
    win32::HANDLE handle = NewHandle();
    std::lock_guard lock(handlesMutex_);
    searches_.emplace(handle, std::move(search));
    return handle;
}

bool PosixSystem::FindNextFile(win32::HANDLE handle, win32::WIN32_FIND_DATAA* data) {
    char drive = 0;
    {
        std::lock_guard lock(handlesMutex_);
        auto it = searches_.find(handle);
        if (it == searches_.end() || data == nullptr) {
            win32::SetLastError(win32::ERROR_INVALID_HANDLE);
            return false;
        }
        drive = it->second.drive;
    }
    if (!DriveReachable(drive)) {
        win32::SetLastError(win32::ERROR_DEVICE_NOT_CONNECTED);
        return false;
    }
    std::lock_guard lock(handlesMutex_);
    Search& search = searches_.at(handle);
    if (search.next >= search.items.size()) {
        win32::SetLastError(win32::ERROR_NO_MORE_FILES);
        return false;
    }
    *data = search.items[search.next++];
    return true;
}

bool PosixSystem::FindClose(win32::HANDLE handle) {
    std::lock_guard lock(handlesMutex_);
    if (searches_.erase(handle) == 0) {
        win32::SetLastError(win32::ERROR_INVALID_HANDLE);
        return false;
    }
    return true;
}

}  // namespace platform::posix
