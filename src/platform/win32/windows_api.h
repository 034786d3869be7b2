// The real Win32 API for the files of this folder. Include it after every project header: the
// facade declares functions and constants under the names that <windows.h> turns into macros,
// so those macros are taken back here and the real calls are made by their A names.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#undef CopyFile
#undef CreateDirectory
#undef CreateEvent
#undef CreateFile
#undef DeleteFile
#undef FindFirstFile
#undef FindNextFile
#undef GetDiskFreeSpaceEx
#undef GetDriveType
#undef GetFileAttributes
#undef GetModuleFileName
#undef GetVersionEx
#undef LoadLibrary
#undef MoveFile
#undef OutputDebugString
#undef RegEnumKey
#undef RegOpenKey
#undef RegQueryValue
#undef RemoveDirectory
#undef SetFileAttributes
