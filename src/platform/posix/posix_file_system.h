// The host's file-system core on Linux: Windows path texts resolved beneath the folders of a
// drive map, with the Windows behaviours of each call.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/posix/folder_listings.h"
#include "platform/posix/folder_spellings.h"
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

    // A change to the entries of a resolved folder: the core's listing of the folder stays
    // current when it was current before. Made right before the change, told after it.
    class FolderChange {
      public:
        FolderChange(PosixFileSystem& files, int folderFd);
        void Done(const std::vector<std::string>& added, const std::vector<std::string>& removed);
        bool SameFolderAs(const FolderChange& other) const {
            return known_ && other.known_ && before_.st_dev == other.before_.st_dev &&
                   before_.st_ino == other.before_.st_ino;
        }

      private:
        FolderListings& listings_;
        int folderFd_;
        struct stat before_ {};
        bool known_;
    };

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
    bool EnterDrive(char letter, DriveRoot& root);
    bool ListMatches(int folderFd, bool isRoot, const std::string& pattern,
                     std::vector<win32::WIN32_FIND_DATAA>& items);

    DriveMap& drives_;
    FolderListings listings_;
    FolderSpellings spellings_;
    std::mutex rootsMutex_;
    std::map<std::string, std::string> canonicalRoots_;  // as the map gives them -> no links
    std::mutex searchesMutex_;
    std::uintptr_t nextSearch_ = 0x1000;
    std::map<win32::HANDLE, Search> searches_;
};

// FILETIME (100 ns since 1601) for a host time.
win32::FILETIME FileTimeFromTimespec(const struct timespec& time);

}  // namespace platform::posix
