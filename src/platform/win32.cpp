#include "platform/win32.h"

#include <cstring>

#include "platform/system.h"

namespace win32 {
namespace {

thread_local DWORD t_lastError = ERROR_SUCCESS;

platform::System& Backend() {
    return platform::Current();
}

platform::FileSystem& Files() {
    return platform::Current().Files();
}

}  // namespace

DWORD GetLastError() {
    return t_lastError;
}
void SetLastError(DWORD error) {
    t_lastError = error;
}

DWORD GetFileAttributesA(LPCSTR path) {
    return Files().GetFileAttributes(path);
}

BOOL SetFileAttributesA(LPCSTR path, DWORD attributes) {
    return Files().SetFileAttributes(path, attributes);
}

BOOL CreateDirectoryA(LPCSTR path, void*) {
    return Files().CreateDirectory(path);
}
BOOL RemoveDirectoryA(LPCSTR path) {
    return Files().RemoveDirectory(path);
}
BOOL DeleteFileA(LPCSTR path) {
    return Files().DeleteFile(path);
}

BOOL CopyFileA(LPCSTR source, LPCSTR target, BOOL failIfExists) {
    return Files().CopyFile(source, target, failIfExists != FALSE);
}

BOOL MoveFileA(LPCSTR source, LPCSTR target) {
    return Files().MoveFile(source, target, 0);
}

BOOL MoveFileExA(LPCSTR source, LPCSTR target, DWORD flags) {
    return Files().MoveFile(source, target, flags);
}

HANDLE FindFirstFileA(LPCSTR pattern, WIN32_FIND_DATAA* data) {
    return Files().FindFirstFile(pattern, data);
}

BOOL FindNextFileA(HANDLE search, WIN32_FIND_DATAA* data) {
    return Files().FindNextFile(search, data);
}

BOOL FindClose(HANDLE search) {
    return Files().FindClose(search);
}

BOOL GetDiskFreeSpaceExA(LPCSTR path, ULARGE_INTEGER* available, ULARGE_INTEGER* total,
                         ULARGE_INTEGER* totalFree) {
    return Files().GetDiskFreeSpaceEx(path, available ? &available->QuadPart : nullptr,
                                      total ? &total->QuadPart : nullptr,
                                      totalFree ? &totalFree->QuadPart : nullptr);
}

DWORD GetLogicalDrives() {
    return Backend().GetLogicalDrives();
}
UINT GetDriveTypeA(LPCSTR root) {
    return Backend().GetDriveType(root);
}
UINT SetErrorMode(UINT mode) {
    return Backend().SetErrorMode(mode);
}

HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD share, void*, DWORD creation, DWORD flags,
                   HANDLE) {
    return Backend().CreateFile(name, access, share, creation, flags);
}

BOOL DeviceIoControl(HANDLE device, DWORD code, void* in, DWORD inSize, void* out, DWORD outSize,
                     DWORD* returned, void*) {
    return Backend().DeviceIoControl(device, code, in, inSize, out, outSize, returned);
}

BOOL CloseHandle(HANDLE handle) {
    return Backend().CloseHandle(handle);
}

BOOL GetVersionExA(OSVERSIONINFOA* info) {
    return Backend().GetVersionEx(info);
}

DWORD GetModuleFileNameA(HMODULE, char* buffer, DWORD size) {
    if (buffer == nullptr || size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    const std::string path = Backend().ModuleFileName();
    // Like Windows: a path that does not fit is cut and terminated, and the size returned.
    if (path.size() >= size) {
        std::memcpy(buffer, path.data(), size - 1);
        buffer[size - 1] = '\0';
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    return static_cast<DWORD>(path.size());
}

void GetLocalTime(SYSTEMTIME* time) {
    if (time != nullptr) *time = Backend().LocalTime();
}

void Sleep(DWORD milliseconds) {
    Backend().Sleep(milliseconds);
}

void OutputDebugStringA(LPCSTR text) {
    if (text != nullptr) Backend().OutputDebugString(text);
}

}  // namespace win32
