// The scenario on the real Win32 API, in the scenario's folder as the current directory.
#include "scenario_api.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#undef CopyFile
#undef CreateDirectory
#undef DeleteFile
#undef GetDiskFreeSpaceEx
#undef GetFileAttributes
#undef MoveFile
#undef MoveFileEx
#undef ReadFile
#undef RemoveDirectory
#undef SetFileAttributes
#undef WriteFile

namespace scenario {

bool Begin(const std::string& folder) {
    return ::SetCurrentDirectoryA(folder.c_str()) != FALSE;
}

DWORD LastError() {
    return ::GetLastError();
}

DWORD GetFileAttributes(const char* path) {
    return ::GetFileAttributesA(path);
}

bool SetFileAttributes(const char* path, DWORD attributes) {
    return ::SetFileAttributesA(path, attributes);
}

bool CreateDirectory(const char* path) {
    return ::CreateDirectoryA(path, nullptr);
}

bool RemoveDirectory(const char* path) {
    return ::RemoveDirectoryA(path);
}

bool DeleteFile(const char* path) {
    return ::DeleteFileA(path);
}

bool CopyFile(const char* source, const char* target, bool failIfExists) {
    return ::CopyFileA(source, target, failIfExists);
}

bool MoveFile(const char* source, const char* target) {
    return ::MoveFileA(source, target);
}

bool MoveFileEx(const char* source, const char* target, DWORD flags) {
    return ::MoveFileExA(source, target, flags);
}

bool FindNames(const char* pattern, std::vector<std::string>& names) {
    WIN32_FIND_DATAA found;
    const HANDLE search = ::FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    do {
        names.push_back(found.cFileName);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return true;
}

bool GetDiskFreeSpaceEx(const char* path, std::uint64_t& available, std::uint64_t& total,
                        std::uint64_t& totalFree) {
    ULARGE_INTEGER a, t, f;
    if (!::GetDiskFreeSpaceExA(path, &a, &t, &f)) return false;
    available = a.QuadPart;
    total = t.QuadPart;
    totalFree = f.QuadPart;
    return true;
}

bool WriteFile(const char* path, const std::string& content) {
    const HANDLE file = ::CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    ::DWORD written = 0;
    const BOOL ok =
        ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    const DWORD error = ::GetLastError();
    ::CloseHandle(file);
    ::SetLastError(error);
    return ok != FALSE;
}

bool ReadFile(const char* path, std::string& content) {
    const HANDLE file = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    content.clear();
    char buffer[256];
    ::DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        content.append(buffer, got);
    }
    ::CloseHandle(file);
    return true;
}

}  // namespace scenario
