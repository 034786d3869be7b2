// The calls of the scenario, in the facade's types. Three implementations: the facade over a
// simulated drive (the POSIX core on Linux, the Windows core on Windows), and the real Win32
// API, which nobody here wrote.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32_types.h"

namespace scenario {

using win32::DWORD;

// Makes `folder` (a host folder, empty) the current directory of the paths that follow.
bool Begin(const std::string& folder);

DWORD LastError();
DWORD GetFileAttributes(const char* path);
bool SetFileAttributes(const char* path, DWORD attributes);
bool CreateDirectory(const char* path);
bool RemoveDirectory(const char* path);
bool DeleteFile(const char* path);
bool CopyFile(const char* source, const char* target, bool failIfExists);
bool MoveFile(const char* source, const char* target);
bool MoveFileEx(const char* source, const char* target, DWORD flags);
// The names a search finds, in its order; false with the last error when it finds nothing.
bool FindNames(const char* pattern, std::vector<std::string>& names);
bool GetDiskFreeSpaceEx(const char* path, std::uint64_t& available, std::uint64_t& total,
                        std::uint64_t& totalFree);
// A file created (or emptied) and written, as the file object or CreateFileA does it.
bool WriteFile(const char* path, const std::string& content);
bool ReadFile(const char* path, std::string& content);

}  // namespace scenario
