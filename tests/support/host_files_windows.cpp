// The host helpers on Windows, through the wide calls with "\\?\" paths: test folders grow
// deeper than MAX_PATH, which neither the A calls nor std::filesystem here take.
#include <algorithm>
#include <stdexcept>
#include <vector>

#include "support/temp_dir.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace test {
namespace {

// "\\?\" and the absolute path with backslashes, without a trailing one.
std::wstring LongForm(const std::string& path) {
    std::wstring text(path.begin(), path.end());  // test paths are ASCII
    std::replace(text.begin(), text.end(), L'/', L'\\');
    // Only a relative path is made whole: the call would also turn a name such as NUL into
    // the device it stands for.
    const bool absolute = text.size() > 2 && (text[1] == L':' || text.rfind(L"\\\\", 0) == 0);
    std::wstring full(32768, L'\0');
    const DWORD size =
        absolute ? 0 : ::GetFullPathNameW(text.c_str(), full.size(), full.data(), nullptr);
    if (size > 0 && size < full.size()) text = full.substr(0, size);
    while (text.size() > 3 && text.back() == L'\\') text.pop_back();
    return text.rfind(L"\\\\?\\", 0) == 0 ? text : L"\\\\?\\" + text;
}

std::wstring ParentOf(const std::wstring& longPath) {
    const std::size_t slash = longPath.rfind(L'\\');
    return slash == std::wstring::npos || slash < 7 ? std::wstring() : longPath.substr(0, slash);
}

void MakeFolders(const std::wstring& longPath) {
    if (longPath.empty() || ::GetFileAttributesW(longPath.c_str()) != INVALID_FILE_ATTRIBUTES) {
        return;
    }
    MakeFolders(ParentOf(longPath));
    if (!::CreateDirectoryW(longPath.c_str(), nullptr) &&
        ::GetLastError() != ERROR_ALREADY_EXISTS) {
        throw std::runtime_error("cannot create a folder");
    }
}

HANDLE Open(const std::string& path, DWORD access, DWORD creation) {
    return ::CreateFileW(LongForm(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
}

void RemoveLong(const std::wstring& longPath) {
    const DWORD attributes = ::GetFileAttributesW(longPath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    ::SetFileAttributesW(longPath.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY) || (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        if (!::DeleteFileW(longPath.c_str())) ::RemoveDirectoryW(longPath.c_str());
        return;
    }
    WIN32_FIND_DATAW found;
    const HANDLE search = ::FindFirstFileW((longPath + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        std::vector<std::wstring> names;
        do {
            const std::wstring name = found.cFileName;
            if (name != L"." && name != L"..") names.push_back(name);
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
        for (const std::wstring& name : names) RemoveLong(longPath + L"\\" + name);
    }
    ::RemoveDirectoryW(longPath.c_str());
}

}  // namespace

void WriteHostFile(const std::string& path, const std::string& content) {
    MakeFolderFor(path);
    const HANDLE file = Open(path, GENERIC_WRITE, CREATE_ALWAYS);
    DWORD written = 0;
    const bool ok =
        file != INVALID_HANDLE_VALUE &&
        ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
        written == content.size();
    if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
    if (!ok) throw std::runtime_error("cannot write " + path);
}

std::string ReadHostFile(const std::string& path) {
    const HANDLE file = Open(path, GENERIC_READ, OPEN_EXISTING);
    if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot read " + path);
    std::string content;
    char buffer[65536];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        content.append(buffer, got);
    }
    ::CloseHandle(file);
    return content;
}

bool HostExists(const std::string& path) {
    const std::wstring longPath = LongForm(path);
    WIN32_FIND_DATAW found;
    const HANDLE search = ::FindFirstFileW(longPath.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    ::FindClose(search);
    return longPath.substr(longPath.rfind(L'\\') + 1) == found.cFileName;
}

std::vector<std::string> HostNamesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    const HANDLE search = ::FindFirstFileW((LongForm(folder) + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.emplace_back(name.begin(), name.end());
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

void MakeFolderFor(const std::string& path) {
    MakeFolders(ParentOf(LongForm(path)));
}

void MakeHostFolder(const std::string& path) {
    MakeFolders(LongForm(path));
}

void RemoveHostTree(const std::string& path) {
    RemoveLong(LongForm(path));
}

bool HostMarkedHidden(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(LongForm(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN) != 0;
}

void SetHostWriteTime(const std::string& path, std::int64_t seconds) {
    const HANDLE file = Open(path, FILE_WRITE_ATTRIBUTES, OPEN_EXISTING);
    const auto ticks = static_cast<std::uint64_t>((seconds + 11644473600LL) * 10000000LL);
    const FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    const bool ok = file != INVALID_HANDLE_VALUE && ::SetFileTime(file, nullptr, nullptr, &time);
    if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
    if (!ok) throw std::runtime_error("cannot set the time of " + path);
}

}  // namespace test
