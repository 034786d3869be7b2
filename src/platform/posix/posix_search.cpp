// FindFirstFileA / FindNextFileA: the matching names of one folder, files and folders alike,
// in a stable order (by name, ignoring case), "." and ".." first below a drive root. Links
// and special files are never offered.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "platform/ascii.h"
#include "platform/posix/dos_attributes.h"
#include "platform/posix/posix_file_system.h"
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

void FillRecord(const std::string& name, const struct stat& st, win32::DWORD attributes,
                win32::WIN32_FIND_DATAA& record) {
    record = win32::WIN32_FIND_DATAA{};
    record.dwFileAttributes = attributes;
    record.ftCreationTime = FileTimeFromTimespec(st.st_ctim);
    record.ftLastAccessTime = FileTimeFromTimespec(st.st_atim);
    record.ftLastWriteTime = FileTimeFromTimespec(st.st_mtim);
    const auto size = S_ISDIR(st.st_mode) ? 0 : static_cast<std::uint64_t>(st.st_size);
    record.nFileSizeHigh = static_cast<win32::DWORD>(size >> 32);
    record.nFileSizeLow = static_cast<win32::DWORD>(size);
    std::memcpy(record.cFileName, name.c_str(), name.size() + 1);
}

// The record of one entry of the open folder; false for what a search never offers (a link,
// anything that is neither a file nor a folder, a name too long for the record).
bool RecordOf(int folderFd, const std::string& name, win32::WIN32_FIND_DATAA& record) {
    struct stat st;
    if (name.size() >= sizeof record.cFileName ||
        ::fstatat(folderFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !IsUsableEntry(st)) {
        return false;
    }
    const win32::DWORD attributes = ReadDosAttributesAt(folderFd, name.c_str(), st);
    if (attributes == win32::INVALID_FILE_ATTRIBUTES) return false;
    FillRecord(name, st, attributes, record);
    return true;
}

std::vector<std::string> MatchingNames(int folderFd, const std::string& pattern) {
    std::vector<std::string> names;
    const int listing = OpenFolderForListing(folderFd);
    if (listing < 0) return names;
    DIR* dir = ::fdopendir(listing);
    if (dir == nullptr) {
        ::close(listing);
        return names;
    }
    while (dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        if (entry->d_type == DT_LNK) continue;
        if (MatchesWildcard(pattern, name)) names.push_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end(), LessNoCase);
    return names;
}

}  // namespace

bool PosixFileSystem::ListMatches(int folderFd, bool isRoot, const std::string& pattern,
                                  std::vector<win32::WIN32_FIND_DATAA>& items) {
    win32::WIN32_FIND_DATAA record;
    if (!isRoot) {
        for (const char* dots : {".", ".."}) {
            if (MatchesWildcard(pattern, dots) && RecordOf(folderFd, dots, record)) {
                std::memcpy(record.cFileName, dots, std::strlen(dots) + 1);
                items.push_back(record);
            }
        }
    }
    for (const std::string& name : MatchingNames(folderFd, pattern)) {
        if (RecordOf(folderFd, name, record)) items.push_back(record);
    }
    return !items.empty();
}

win32::HANDLE PosixFileSystem::FindFirstFile(const char* pattern, win32::WIN32_FIND_DATAA* data) {
    UniqueFd folder;
    bool isRoot = false;
    char drive = 0;
    std::string lastName;
    if (data == nullptr) {
        win32::SetLastError(win32::ERROR_INVALID_PARAMETER);
        return win32::INVALID_HANDLE_VALUE;
    }
    if (!ResolveFolderOf(pattern, folder, isRoot, drive, lastName)) {
        return win32::INVALID_HANDLE_VALUE;
    }
    Search search{drive, {}, 0};
    if (!ListMatches(folder.get(), isRoot, lastName, search.items)) {
        win32::SetLastError(win32::ERROR_FILE_NOT_FOUND);
        return win32::INVALID_HANDLE_VALUE;
    }
    *data = search.items[0];
    search.next = 1;
    std::lock_guard lock(searchesMutex_);
    nextSearch_ += 4;
    const auto handle = reinterpret_cast<win32::HANDLE>(nextSearch_);
    searches_.emplace(handle, std::move(search));
    return handle;
}

bool PosixFileSystem::FindNextFile(win32::HANDLE handle, win32::WIN32_FIND_DATAA* data) {
    char drive = 0;
    {
        std::lock_guard lock(searchesMutex_);
        auto it = searches_.find(handle);
        if (it == searches_.end() || data == nullptr) {
            win32::SetLastError(win32::ERROR_INVALID_HANDLE);
            return false;
        }
        drive = it->second.drive;
    }
    if (!drives_.DriveReachable(drive)) {
        win32::SetLastError(win32::ERROR_DEVICE_NOT_CONNECTED);
        return false;
    }
    std::lock_guard lock(searchesMutex_);
    Search& search = searches_.at(handle);
    if (search.next >= search.items.size()) {
        win32::SetLastError(win32::ERROR_NO_MORE_FILES);
        return false;
    }
    *data = search.items[search.next++];
    return true;
}

bool PosixFileSystem::FindClose(win32::HANDLE handle) {
    std::lock_guard lock(searchesMutex_);
    if (searches_.erase(handle) == 0) {
        win32::SetLastError(win32::ERROR_INVALID_HANDLE);
        return false;
    }
    return true;
}

}  // namespace platform::posix
