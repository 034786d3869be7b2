#include "platform/posix/file_copy.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/posix/dos_attributes.h"
#include "platform/posix/errno_map.h"

namespace platform::posix {
namespace {

class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

bool CopyWithReadWrite(int in, int out) {
    std::vector<char> buffer(1 << 20);
    for (;;) {
        const ssize_t got = ::read(in, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) return true;
        for (ssize_t put = 0; put < got;) {
            const ssize_t n = ::write(out, buffer.data() + put, static_cast<size_t>(got - put));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                if (n == 0) errno = ENOSPC;
                return false;
            }
            put += n;
        }
    }
}

bool CopyContent(int in, int out, off_t size) {
    off_t copied = 0;
    while (copied < size) {
        const ssize_t n =
            ::copy_file_range(in, nullptr, out, nullptr, static_cast<size_t>(size - copied), 0);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 &&
            (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP)) {
            return CopyWithReadWrite(in, out);
        }
        if (n < 0) return false;
        if (n == 0) return CopyWithReadWrite(in, out);  // the source shrank or lies about size
        copied += n;
    }
    return CopyWithReadWrite(in, out);  // picks up anything past the size seen at the start
}

bool ApplySourceFacts(int out, const struct stat& st, win32::DWORD attributes) {
    if (::fchmod(out, (st.st_mode & 0777) | S_IWUSR) != 0) return false;
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    if (::futimens(out, times) != 0) return false;
    if (::fdatasync(out) != 0) return false;
    return WriteDosAttributesFd(out, attributes);
}

std::string TemporarySibling(const std::string& target) {
    const std::size_t slash = target.rfind('/');
    return target.substr(0, slash + 1) + ".kpz-copy-XXXXXX";
}

bool PutInPlace(const std::string& temporary, const std::string& target, bool failIfExists) {
    if (!failIfExists) return ::rename(temporary.c_str(), target.c_str()) == 0;
    if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) return false;
    // File systems without RENAME_NOREPLACE: a hard link refuses an existing name too.
    if (::link(temporary.c_str(), target.c_str()) != 0) return false;
    ::unlink(temporary.c_str());
    return true;
}

}  // namespace

win32::DWORD CopyHostFile(const std::string& source, const std::string& target, bool failIfExists) {
    Fd in(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat st;
    if (in.get() < 0 || ::fstat(in.get(), &st) != 0) return ErrorFromErrno(errno);
    if (!S_ISREG(st.st_mode)) return win32::ERROR_ACCESS_DENIED;
    const win32::DWORD attributes = ReadDosAttributesFd(in.get());

    std::string temporary = TemporarySibling(target);
    Fd out(::mkostemp(temporary.data(), O_CLOEXEC));
    if (out.get() < 0) return ErrorFromErrno(errno);

    bool ok = CopyContent(in.get(), out.get(), st.st_size) &&
              ApplySourceFacts(out.get(), st, attributes) && out.Close() &&
              PutInPlace(temporary, target, failIfExists);
    if (ok) return win32::ERROR_SUCCESS;
    const int saved = errno;
    ::unlink(temporary.c_str());
    return (failIfExists && saved == EEXIST) ? win32::ERROR_FILE_EXISTS : ErrorFromErrno(saved);
}

}  // namespace platform::posix
