// The file-system core shared by the Linux backends: Windows path texts resolved under a
// table of drive letters, with the Windows behaviours of each call.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/posix/path_resolver.h"
#include "platform/system.h"

namespace platform::posix {

class PosixSystem : public System {
  public:
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

    win32::HANDLE CreateFile(const char* name, win32::DWORD access, win32::DWORD share,
                             win32::DWORD creation, win32::DWORD flags) override;
    bool DeviceIoControl(win32::HANDLE device, win32::DWORD code, void* in, win32::DWORD inSize,
                         void* out, win32::DWORD outSize, win32::DWORD* returned) override;
    bool CloseHandle(win32::HANDLE handle) override;

    // Whether a file or search opened on the drive may still be used (the drive is there).
    virtual bool DriveReachable(char letter) = 0;

  protected:
    // The host folder of a drive's root, for one call on a path of that drive; false with the
    // last error set when the drive cannot be reached.
    virtual bool EnterDrive(char letter, std::string& hostRoot) = 0;
    // The folder that relative paths start from, "X:\...\".
    virtual std::string CurrentDirectory() = 0;
    // Free bytes for the caller, where a backend knows better than the host file system.
    virtual bool FreeSpaceOverride(char letter, std::uint64_t& freeBytes);

    // Parses and resolves a path; false with the last error set.
    bool Resolve(const char* path, HostPath& out, char* drive = nullptr, bool wildcard = false,
                 std::string* lastName = nullptr);

    win32::HANDLE NewHandle();

  private:
    struct Search {
        char drive;
        std::vector<win32::WIN32_FIND_DATAA> items;
        std::size_t next = 0;
    };

    bool ListMatches(const HostPath& folder, const std::string& pattern,
                     std::vector<win32::WIN32_FIND_DATAA>& items);

    std::mutex handlesMutex_;
    std::uintptr_t nextHandle_ = 0x1000;
    std::map<win32::HANDLE, Search> searches_;
};

// FILETIME (100 ns since 1601) for a host time.
win32::FILETIME FileTimeFromTimespec(const struct timespec& time);

}  // namespace platform::posix
