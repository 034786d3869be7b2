// FindFirstFileA / FindNextFileA on a drive's folder: the real search, read whole, without
// what a drive's root does not hold ("." and "..") and without reparse points, in the order
// of the file-system core on every host.
#include <algorithm>
#include <cstring>
#include <string>

#include "platform/name_order.h"
#include "platform/win32.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/windows_api.h"

namespace platform::windows {
namespace {

bool IsDots(const char* name) {
    return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

template <std::size_t N>
bool CopyName(const wchar_t* wide, char (&name)[N]) {
    const std::string narrow = CodePageFromWide(wide);
    if (narrow.size() >= N || (narrow.empty() && *wide != L'\0')) return false;
    std::memcpy(name, narrow.c_str(), narrow.size() + 1);
    return true;
}

// The record as the facade gives it; false for what a search never offers: a reparse point,
// the dot entries of a drive's root, a name the code page cannot hold.
bool RecordOf(const ::WIN32_FIND_DATAW& found, bool atRoot, win32::WIN32_FIND_DATAA& record) {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) return false;
    record = win32::WIN32_FIND_DATAA{};
    if (!CopyName(found.cFileName, record.cFileName)) return false;
    if (atRoot && IsDots(record.cFileName)) return false;
    CopyName(found.cAlternateFileName, record.cAlternateFileName);
    record.dwFileAttributes = found.dwFileAttributes;
    record.ftCreationTime = {found.ftCreationTime.dwLowDateTime,
                             found.ftCreationTime.dwHighDateTime};
    record.ftLastAccessTime = {found.ftLastAccessTime.dwLowDateTime,
                               found.ftLastAccessTime.dwHighDateTime};
    record.ftLastWriteTime = {found.ftLastWriteTime.dwLowDateTime,
                              found.ftLastWriteTime.dwHighDateTime};
    record.nFileSizeHigh = found.nFileSizeHigh;
    record.nFileSizeLow = found.nFileSizeLow;
    return true;
}

// Every offered record the pattern finds; false with the host's error when the search failed.
bool ReadSearch(const std::wstring& pattern, bool atRoot,
                std::vector<win32::WIN32_FIND_DATAA>& items) {
    ::WIN32_FIND_DATAW found;
    const HANDLE search = ::FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return FailWithHostError();
    win32::WIN32_FIND_DATAA record;
    do {
        if (RecordOf(found, atRoot, record)) items.push_back(record);
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    const auto dots = std::stable_partition(
        items.begin(), items.end(), [](const auto& item) { return IsDots(item.cFileName); });
    std::sort(dots, items.end(),
              [](const auto& a, const auto& b) { return NameOrderLess(a.cFileName, b.cFileName); });
    return true;
}

}  // namespace

win32::HANDLE Win32FileSystem::FindFirstFile(const char* pattern, win32::WIN32_FIND_DATAA* data) {
    DrivePath mapped;
    if (data == nullptr) {
        win32::SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    if (!MapDrivePath(drives_, pattern, true, mapped)) return INVALID_HANDLE_VALUE;
    Search search{mapped.drive, {}, 0};
    if (!ReadSearch(mapped.host, mapped.isRoot, search.items)) return INVALID_HANDLE_VALUE;
    if (search.items.empty()) {
        win32::SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    *data = search.items[0];
    search.next = 1;
    std::lock_guard lock(searchesMutex_);
    nextSearch_ += 4;
    const auto handle = reinterpret_cast<win32::HANDLE>(nextSearch_);
    searches_.emplace(handle, std::move(search));
    return handle;
}

bool Win32FileSystem::FindNextFile(win32::HANDLE handle, win32::WIN32_FIND_DATAA* data) {
    char drive = 0;
    {
        std::lock_guard lock(searchesMutex_);
        auto it = searches_.find(handle);
        if (it == searches_.end() || data == nullptr) {
            win32::SetLastError(ERROR_INVALID_HANDLE);
            return false;
        }
        drive = it->second.drive;
    }
    if (!drives_.DriveReachable(drive)) {
        win32::SetLastError(ERROR_DEVICE_NOT_CONNECTED);
        return false;
    }
    std::lock_guard lock(searchesMutex_);
    Search& search = searches_.at(handle);
    if (search.next >= search.items.size()) {
        win32::SetLastError(ERROR_NO_MORE_FILES);
        return false;
    }
    *data = search.items[search.next++];
    return true;
}

bool Win32FileSystem::FindClose(win32::HANDLE handle) {
    std::lock_guard lock(searchesMutex_);
    if (searches_.erase(handle) == 0) {
        win32::SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    return true;
}

}  // namespace platform::windows
