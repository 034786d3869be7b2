// The backend behind the Win32 facade: one installed per process.
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

class System {
  public:
    virtual ~System() = default;

    // File system.
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

    // Drives and devices.
    virtual win32::DWORD GetLogicalDrives() = 0;
    virtual win32::UINT GetDriveType(const char* root) = 0;
    virtual win32::UINT SetErrorMode(win32::UINT mode) = 0;
    virtual win32::HANDLE CreateFile(const char* name, win32::DWORD access, win32::DWORD share,
                                     win32::DWORD creation, win32::DWORD flags) = 0;
    virtual bool DeviceIoControl(win32::HANDLE device, win32::DWORD code, void* in,
                                 win32::DWORD inSize, void* out, win32::DWORD outSize,
                                 win32::DWORD* returned) = 0;
    virtual bool CloseHandle(win32::HANDLE handle) = 0;

    // Process facts.
    virtual bool GetVersionEx(win32::OSVERSIONINFOA* info) = 0;
    virtual std::string ModuleFileName() = 0;
    virtual win32::SYSTEMTIME LocalTime() = 0;
    virtual void Sleep(win32::DWORD milliseconds) = 0;
    virtual void OutputDebugString(const char* text) = 0;
    virtual void WriteStandardOutput(const std::string& text) = 0;
};

// The installed backend; the host's own when none was installed.
System& Current();

// Installs a backend for the lifetime of the guard (tests, the simulated demo).
class ScopedSystem {
  public:
    explicit ScopedSystem(System& system);
    ~ScopedSystem();
    ScopedSystem(const ScopedSystem&) = delete;
    ScopedSystem& operator=(const ScopedSystem&) = delete;

  private:
    System* previous_;
};

}  // namespace platform
