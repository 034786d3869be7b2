// The host's file-system core on Linux: Windows path texts resolved beneath the folders of a
// drive map, with the Windows behaviours of each call.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/posix/path_resolver.h"

namespace platform::posix {

class PosixFileSystem : public FileSystem {
  public:
    explicit PosixFileSystem(DriveMap& drives) : drives_(drives) {}

    win32::DWORD GetFileAttributes(const char* path) override;
    bool SetFileAttributes(const char* path, win32::DWORD attributes) override;
    bool CreateDirectory(const char* path) override;
    bool RemoveDirectory(const char* path) override;
    bool DeleteFile(const char* path) override;
    bool CopyFile(const char* source, const char* target, bool failIfExists) override;
    bool MoveFile(const char* source, const char* target, win32::DWORD flags) override;
    win32::HANDLE FindFirstFile(const char* pattern, win32::WIN32_FIND_DATAA* data) override;
    bool FindNextFile(win32::HANDLE search, win32::WIN32_FIND_DATAA* data) override;
    bool FindClose(win32::HANDLE search) override;
    bool GetDiskFreeSpaceEx(const char* path, std::uint64_t* available, std::uint64_t* total,
                            std::uint64_t* totalFree) override;
    std::unique_ptr<FileHandle> OpenFile(const char* path, const FileOpenRequest& request) override;

  private:
    struct Search {
        char drive;
        std::vector<win32::WIN32_FIND_DATAA> items;
        std::size_t next = 0;
    };

    // Parses a path and resolves it beneath its drive's root; false with the last error set.
    // With `wildcard` the last component is a name pattern, left out of the resolution and
    // handed back in `pattern`.
    bool Resolve(const char* path, HostPath& out, char* drive = nullptr);
    bool ResolveFolderOf(const char* pattern, UniqueFd& folder, bool& isRoot, char& drive,
                         std::string& lastName);
    bool ListMatches(int folderFd, bool isRoot, const std::string& pattern,
                     std::vector<win32::WIN32_FIND_DATAA>& items);

    DriveMap& drives_;
    std::mutex searchesMutex_;
    std::uintptr_t nextSearch_ = 0x1000;
    std::map<win32::HANDLE, Search> searches_;
};

// FILETIME (100 ns since 1601) for a host time.
win32::FILETIME FileTimeFromTimespec(const struct timespec& time);

}  // namespace platform::posix
