// The host's file-system core on Windows: each drive letter of a drive map lies in a host
// folder, and every call is the real Win32 call on the mapped path, with what a drive's root
// is kept apart from the folder that holds it (it cannot be removed, moved or listed with dot
// entries) and names listed in one order whatever the host file system keeps.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <vector>

#include "platform/file_system.h"
#include "platform/win32/drive_path.h"
#include "platform/win32_types.h"

namespace platform::windows {

class Win32FileSystem : public FileSystem {
  public:
    explicit Win32FileSystem(DriveMap& drives) : drives_(drives) {}

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

    bool Map(const char* path, DrivePath& out) { return MapDrivePath(drives_, path, false, out); }

    DriveMap& drives_;
    std::mutex searchesMutex_;
    std::uintptr_t nextSearch_ = 0x1000;
    std::map<win32::HANDLE, Search> searches_;
};

// The last error of a real call, handed on to the facade's; false.
bool FailWithHostError();

// Whether an existing file carries one of `attributes`: what Windows refuses to replace
// (CopyFileA a hidden or read-only target, CreateFileA CREATE_ALWAYS a hidden or system
// file) and Wine lets through, so the check is made here for both.
bool ExistingFileHas(const std::wstring& host, win32::DWORD attributes);

}  // namespace platform::windows
