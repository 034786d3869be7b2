// The file object's host side: one descriptor per open file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/dos_attributes.h"
#include "platform/posix/errno_map.h"
#include "platform/posix/posix_file_system.h"
#include "platform/win32.h"

namespace platform::posix {
namespace {

class PosixFile : public FileHandle {
  public:
    PosixFile(DriveMap& drives, char drive, int fd) : drives_(drives), drive_(drive), fd_(fd) {}
    ~PosixFile() override { ::close(fd_); }

    bool Read(void* buffer, std::uint32_t count, std::uint32_t& done) override {
        done = 0;
        if (!Reachable()) return false;
        auto* bytes = static_cast<char*>(buffer);
        while (done < count) {
            const ssize_t n = ::read(fd_, bytes + done, count - done);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return FailErrno();
            if (n == 0) break;
            done += static_cast<std::uint32_t>(n);
        }
        return true;
    }

    bool Write(const void* buffer, std::uint32_t count, std::uint32_t& done) override {
        done = 0;
        if (!Reachable()) return false;
        const auto* bytes = static_cast<const char*>(buffer);
        while (done < count) {
            const ssize_t n = ::write(fd_, bytes + done, count - done);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0 && errno == ENOSPC) break;  // a short count tells the caller
            if (n < 0) return FailErrno();
            if (n == 0) break;
            done += static_cast<std::uint32_t>(n);
        }
        return true;
    }

    bool Seek(std::int64_t offset, int whence, std::uint64_t& position) override {
        if (!Reachable()) return false;
        const off_t at = ::lseek(fd_, offset, whence);
        if (at < 0) return FailErrno();
        position = static_cast<std::uint64_t>(at);
        return true;
    }

    bool Status(FileStatus& status) override {
        if (!Reachable()) return false;
        struct stat st;
        if (::fstat(fd_, &st) != 0) return FailErrno();
        status.mtimeSeconds = st.st_mtim.tv_sec;
        status.lastWriteTime = FileTimeFromTimespec(st.st_mtim);
        status.size = static_cast<std::uint64_t>(st.st_size);
        return true;
    }

  private:
    bool Reachable() {
        if (drives_.DriveReachable(drive_)) return true;
        win32::SetLastError(win32::ERROR_DEVICE_NOT_CONNECTED);
        return false;
    }

    static bool FailErrno() {
        win32::SetLastError(ErrorFromErrno(errno));
        return false;
    }

    DriveMap& drives_;
    char drive_;
    int fd_;
};

int OpenFlags(const FileOpenRequest& request) {
    int flags = O_CLOEXEC | O_NOCTTY | O_NOFOLLOW | O_NONBLOCK;
    switch (request.access) {
        case FileAccess::Read:
            flags |= O_RDONLY;
            break;
        case FileAccess::Write:
            flags |= O_WRONLY;
            break;
        case FileAccess::ReadWrite:
            flags |= O_RDWR;
            break;
    }
    if (request.create) flags |= O_CREAT | O_TRUNC;
    return flags;
}

// Why Windows would refuse to open an existing file this way, or 0.
win32::DWORD RefusalFor(const HostPath& host, const FileOpenRequest& request) {
    if (host.IsDirectory()) return win32::ERROR_ACCESS_DENIED;
    const win32::DWORD attributes = ReadDosAttributesAt(host.folder.get(), host.AtName(), host.st);
    if (attributes == win32::INVALID_FILE_ATTRIBUTES) return ErrorFromErrno(errno);
    const bool writes = request.access != FileAccess::Read;
    if (writes && (attributes & win32::FILE_ATTRIBUTE_READONLY)) return win32::ERROR_ACCESS_DENIED;
    const win32::DWORD hiddenOrSystem = win32::FILE_ATTRIBUTE_HIDDEN | win32::FILE_ATTRIBUTE_SYSTEM;
    if (request.create && (attributes & hiddenOrSystem)) return win32::ERROR_ACCESS_DENIED;
    return 0;
}

}  // namespace

std::unique_ptr<FileHandle> PosixFileSystem::OpenFile(const char* path,
                                                      const FileOpenRequest& request) {
    HostPath host;
    char drive = 0;
    if (!Resolve(path, host, &drive)) return nullptr;
    if (!host.exists && !request.create) {
        win32::SetLastError(win32::ERROR_FILE_NOT_FOUND);
        return nullptr;
    }
    if (host.exists) {
        if (const win32::DWORD refusal = RefusalFor(host, request)) {
            win32::SetLastError(refusal);
            return nullptr;
        }
    }
    FolderChange change(*this, host.folder.get());
    const int fd = ::openat(host.folder.get(), host.name.c_str(), OpenFlags(request), 0666);
    if (fd < 0) {
        win32::SetLastError(errno == ELOOP ? win32::ERROR_ACCESS_DENIED : ErrorFromErrno(errno));
        return nullptr;
    }
    // O_NONBLOCK means nothing to a file; it only keeps a FIFO swapped in from hanging us.
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        win32::SetLastError(win32::ERROR_ACCESS_DENIED);
        return nullptr;
    }
    if (!host.exists) change.Done({host.name}, {});
    return std::make_unique<PosixFile>(drives_, drive, fd);
}

}  // namespace platform::posix
