// The file object's host side on Windows: one real file handle per open file.
#include "platform/win32.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/windows_api.h"

namespace platform::windows {
namespace {

constexpr std::int64_t kEpochDifference = 11644473600LL;  // 1601 to 1970, in seconds

class Win32File : public FileHandle {
  public:
    Win32File(DriveMap& drives, char drive, HANDLE handle)
        : drives_(drives), drive_(drive), handle_(handle) {}
    ~Win32File() override { ::CloseHandle(handle_); }

    bool Read(void* buffer, std::uint32_t count, std::uint32_t& done) override {
        done = 0;
        if (!Reachable()) return false;
        auto* bytes = static_cast<char*>(buffer);
        while (done < count) {
            DWORD got = 0;
            if (!::ReadFile(handle_, bytes + done, count - done, &got, nullptr)) {
                return FailWithHostError();
            }
            if (got == 0) break;
            done += got;
        }
        return true;
    }

    bool Write(const void* buffer, std::uint32_t count, std::uint32_t& done) override {
        done = 0;
        if (!Reachable()) return false;
        const auto* bytes = static_cast<const char*>(buffer);
        while (done < count) {
            DWORD put = 0;
            if (!::WriteFile(handle_, bytes + done, count - done, &put, nullptr)) {
                if (::GetLastError() == ERROR_DISK_FULL) break;  // a short count tells the caller
                return FailWithHostError();
            }
            if (put == 0) break;
            done += put;
        }
        return true;
    }

    bool Seek(std::int64_t offset, int whence, std::uint64_t& position) override {
        if (!Reachable()) return false;
        LARGE_INTEGER distance, at;
        distance.QuadPart = offset;
        if (!::SetFilePointerEx(handle_, distance, &at, static_cast<DWORD>(whence))) {
            return FailWithHostError();
        }
        position = static_cast<std::uint64_t>(at.QuadPart);
        return true;
    }

    bool Status(FileStatus& status) override {
        if (!Reachable()) return false;
        ::FILETIME written;
        LARGE_INTEGER size;
        if (!::GetFileTime(handle_, nullptr, nullptr, &written) ||
            !::GetFileSizeEx(handle_, &size)) {
            return FailWithHostError();
        }
        const std::uint64_t ticks =
            (std::uint64_t{written.dwHighDateTime} << 32) | written.dwLowDateTime;
        status.mtimeSeconds = static_cast<std::int64_t>(ticks / 10000000) - kEpochDifference;
        status.lastWriteTime = win32::FILETIME{written.dwLowDateTime, written.dwHighDateTime};
        status.size = static_cast<std::uint64_t>(size.QuadPart);
        return true;
    }

  private:
    bool Reachable() {
        if (drives_.DriveReachable(drive_)) return true;
        win32::SetLastError(ERROR_DEVICE_NOT_CONNECTED);
        return false;
    }

    DriveMap& drives_;
    char drive_;
    HANDLE handle_;
};

DWORD AccessOf(FileAccess access) {
    switch (access) {
        case FileAccess::Read:
            return GENERIC_READ;
        case FileAccess::Write:
            return GENERIC_WRITE;
        case FileAccess::ReadWrite:
            return GENERIC_READ | GENERIC_WRITE;
    }
    return GENERIC_READ;
}

DWORD ShareOf(const FileOpenRequest& request) {
    return (request.shareRead ? FILE_SHARE_READ : 0) | (request.shareWrite ? FILE_SHARE_WRITE : 0);
}

}  // namespace

std::unique_ptr<FileHandle> Win32FileSystem::OpenFile(const char* path,
                                                      const FileOpenRequest& request) {
    DrivePath mapped;
    if (!Map(path, mapped)) return nullptr;
    if (request.create &&
        ExistingFileHas(mapped.host, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) {
        win32::SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    const HANDLE handle = ::CreateFileW(
        mapped.host.c_str(), AccessOf(request.access), ShareOf(request), nullptr,
        request.create ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        FailWithHostError();
        return nullptr;
    }
    // Only files: a device that a name might stand for is never opened as one.
    if (::GetFileType(handle) != FILE_TYPE_DISK) {
        ::CloseHandle(handle);
        win32::SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    return std::make_unique<Win32File>(drives_, mapped.drive, handle);
}

}  // namespace platform::windows
