// The Win32 calls the system is written against. Each forwards to the installed backend;
// errors are the call's result plus the thread's GetLastError().
#pragma once

#include <cstddef>

#include "platform/win32_types.h"

namespace win32 {

DWORD GetLastError();
void SetLastError(DWORD error);

DWORD GetFileAttributesA(LPCSTR path);
BOOL SetFileAttributesA(LPCSTR path, DWORD attributes);
BOOL CreateDirectoryA(LPCSTR path, void* security);
BOOL RemoveDirectoryA(LPCSTR path);
BOOL DeleteFileA(LPCSTR path);
BOOL CopyFileA(LPCSTR source, LPCSTR target, BOOL failIfExists);
BOOL MoveFileA(LPCSTR source, LPCSTR target);
BOOL MoveFileExA(LPCSTR source, LPCSTR target, DWORD flags);
HANDLE FindFirstFileA(LPCSTR pattern, WIN32_FIND_DATAA* data);
BOOL FindNextFileA(HANDLE search, WIN32_FIND_DATAA* data);
BOOL FindClose(HANDLE search);
BOOL GetDiskFreeSpaceExA(LPCSTR path, ULARGE_INTEGER* available, ULARGE_INTEGER* total,
                         ULARGE_INTEGER* totalFree);

DWORD GetLogicalDrives();
UINT GetDriveTypeA(LPCSTR root);
UINT SetErrorMode(UINT mode);
HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD share, void* security, DWORD creation,
                   DWORD flags, HANDLE templateFile);
BOOL DeviceIoControl(HANDLE device, DWORD code, void* in, DWORD inSize, void* out, DWORD outSize,
                     DWORD* returned, void* overlapped);
BOOL CloseHandle(HANDLE handle);

HDEVINFO SetupDiGetClassDevsA(const GUID* classGuid, LPCSTR enumerator, HWND parent, DWORD flags);
BOOL SetupDiEnumDeviceInfo(HDEVINFO list, DWORD index, SP_DEVINFO_DATA* device);
BOOL SetupDiGetDeviceRegistryPropertyA(HDEVINFO list, SP_DEVINFO_DATA* device, DWORD property,
                                       DWORD* dataType, BYTE* buffer, DWORD size, DWORD* required);
BOOL SetupDiDestroyDeviceInfoList(HDEVINFO list);

LONG RegOpenKeyA(HKEY key, LPCSTR subKey, HKEY* result);
LONG RegEnumKeyExA(HKEY key, DWORD index, char* name, DWORD* nameSize, DWORD* reserved,
                   char* className, DWORD* classSize, FILETIME* lastWrite);
LONG RegQueryValueExA(HKEY key, LPCSTR name, DWORD* reserved, DWORD* type, BYTE* data, DWORD* size);
LONG RegCloseKey(HKEY key);

HMODULE LoadLibraryA(LPCSTR name);
FARPROC GetProcAddress(HMODULE module, LPCSTR name);
BOOL FreeLibrary(HMODULE module);

HANDLE CreateEventA(void* security, BOOL manualReset, BOOL initialState, LPCSTR name);
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);
DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds);

HLOCAL LocalAlloc(UINT flags, SIZE_T bytes);
HLOCAL LocalFree(HLOCAL memory);

BOOL GetVersionExA(OSVERSIONINFOA* info);
DWORD GetModuleFileNameA(HMODULE module, char* buffer, DWORD size);
void GetLocalTime(SYSTEMTIME* time);
void Sleep(DWORD milliseconds);
void OutputDebugStringA(LPCSTR text);

}  // namespace win32
