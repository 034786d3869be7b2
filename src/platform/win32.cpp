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

HDEVINFO SetupDiGetClassDevsA(const GUID* classGuid, LPCSTR enumerator, HWND, DWORD flags) {
    return Backend().GetClassDevices(classGuid, enumerator, flags);
}

BOOL SetupDiEnumDeviceInfo(HDEVINFO list, DWORD index, SP_DEVINFO_DATA* device) {
    return Backend().EnumDeviceInfo(list, index, device);
}

BOOL SetupDiGetDeviceRegistryPropertyA(HDEVINFO list, SP_DEVINFO_DATA* device, DWORD property,
                                       DWORD* dataType, BYTE* buffer, DWORD size, DWORD* required) {
    return Backend().GetDeviceRegistryProperty(list, device, property, dataType, buffer, size,
                                               required);
}

BOOL SetupDiDestroyDeviceInfoList(HDEVINFO list) {
    return Backend().DestroyDeviceInfoList(list);
}

LONG RegOpenKeyA(HKEY key, LPCSTR subKey, HKEY* result) {
    return Backend().RegOpenKey(key, subKey, result);
}

// No key of this system has a class name; the time of the last write is not kept.
LONG RegEnumKeyExA(HKEY key, DWORD index, char* name, DWORD* nameSize, DWORD* reserved,
                   char* className, DWORD* classSize, FILETIME* lastWrite) {
    if (reserved != nullptr || (className != nullptr && classSize == nullptr)) {
        return static_cast<LONG>(ERROR_INVALID_PARAMETER);
    }
    const LONG result = Backend().RegEnumKey(key, index, name, nameSize);
    if (result != static_cast<LONG>(ERROR_SUCCESS)) return result;
    if (className != nullptr && *classSize > 0) className[0] = '\0';
    if (classSize != nullptr) *classSize = 0;
    if (lastWrite != nullptr) *lastWrite = FILETIME{};
    return result;
}

LONG RegQueryValueExA(HKEY key, LPCSTR name, DWORD* reserved, DWORD* type, BYTE* data,
                      DWORD* size) {
    if (reserved != nullptr || (data != nullptr && size == nullptr)) {
        return static_cast<LONG>(ERROR_INVALID_PARAMETER);
    }
    return Backend().RegQueryValue(key, name, type, data, size);
}

LONG RegCloseKey(HKEY key) {
    return Backend().RegCloseKey(key);
}

HMODULE LoadLibraryA(LPCSTR name) {
    return Backend().LoadLibrary(name);
}

FARPROC GetProcAddress(HMODULE module, LPCSTR name) {
    return Backend().GetProcAddress(module, name);
}

BOOL FreeLibrary(HMODULE module) {
    return Backend().FreeLibrary(module);
}

HANDLE CreateEventA(void*, BOOL manualReset, BOOL initialState, LPCSTR name) {
    return Backend().CreateEvent(manualReset != FALSE, initialState != FALSE, name);
}

BOOL SetEvent(HANDLE event) {
    return Backend().SetEvent(event);
}

BOOL ResetEvent(HANDLE event) {
    return Backend().ResetEvent(event);
}

DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds) {
    return Backend().WaitForSingleObject(object, milliseconds);
}

HLOCAL LocalAlloc(UINT flags, SIZE_T bytes) {
    return Backend().LocalAlloc(flags, bytes);
}

HLOCAL LocalFree(HLOCAL memory) {
    return memory == nullptr ? nullptr : Backend().LocalFree(memory);
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
