// The file-system half of a backend: Windows path texts on drive letters, with the Windows
// behaviour of each call. The host's core stands on a drive map that says where each letter
// lies on the host and whether it can be reached.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/win32_types.h"

namespace platform {

// Last-write time and size of an open file, as the file object reports them.
struct FileStatus {
    std::int64_t mtimeSeconds = 0;  // seconds since 1970, whole-second resolution
    win32::FILETIME lastWriteTime{};
    std::uint64_t size = 0;
};

// An open file of a backend. Calls return false and set the last error on failure.
class FileHandle {
  public:
    virtual ~FileHandle() = default;
    virtual bool Read(void* buffer, std::uint32_t count, std::uint32_t& done) = 0;
    virtual bool Write(const void* buffer, std::uint32_t count, std::uint32_t& done) = 0;
    virtual bool Seek(std::int64_t offset, int whence, std::uint64_t& position) = 0;
    virtual bool Status(FileStatus& status) = 0;
};

enum class FileAccess { Read, Write, ReadWrite };

struct FileOpenRequest {
    FileAccess access = FileAccess::Read;
    bool create = false;  // create or empty the file
    bool shareRead = true;
    bool shareWrite = true;
};

// Where a computer's drive letters lie on the host.
class DriveMap {
  public:
    virtual ~DriveMap() = default;
    // The host folder of a drive's root, for one file-system operation on it; false with the
    // last error set when the drive cannot be reached (or the operation is made to fail).
    virtual bool EnterDrive(char letter, std::string& hostRoot) = 0;
    // Whether a file or search opened on the drive may still be used (the drive is there).
    virtual bool DriveReachable(char letter) = 0;
    // The folder that relative paths start from, "X:\...\".
    virtual std::string CurrentDirectory() = 0;
    // Free bytes for the caller, where the map knows better than the host file system.
    virtual bool FreeSpaceOverride(char letter, std::uint64_t& freeBytes);
    // Told after each piece of file content written onto a drive by a copy.
    virtual void ContentWritten(char letter, std::uint64_t bytes);
};

class FileSystem {
  public:
    virtual ~FileSystem() = default;
    virtual win32::DWORD GetFileAttributes(const char* path) = 0;
    virtual bool SetFileAttributes(const char* path, win32::DWORD attributes) = 0;
    virtual bool CreateDirectory(const char* path) = 0;
    virtual bool RemoveDirectory(const char* path) = 0;
    virtual bool DeleteFile(const char* path) = 0;
    virtual bool CopyFile(const char* source, const char* target, bool failIfExists) = 0;
    virtual bool MoveFile(const char* source, const char* target, win32::DWORD flags) = 0;
    virtual win32::HANDLE FindFirstFile(const char* pattern, win32::WIN32_FIND_DATAA* data) = 0;
    virtual bool FindNextFile(win32::HANDLE search, win32::WIN32_FIND_DATAA* data) = 0;
    virtual bool FindClose(win32::HANDLE search) = 0;
    virtual bool GetDiskFreeSpaceEx(const char* path, std::uint64_t* available,
                                    std::uint64_t* total, std::uint64_t* totalFree) = 0;
    virtual std::unique_ptr<FileHandle> OpenFile(const char* path,
                                                 const FileOpenRequest& request) = 0;
};

// The host's file-system core over a drive map; the map outlives it.
std::unique_ptr<FileSystem> MakeHostFileSystem(DriveMap& drives);

}  // namespace platform
