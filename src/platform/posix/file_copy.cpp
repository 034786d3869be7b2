#include "platform/posix/file_copy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "platform/posix/dos_attributes.h"
#include "platform/posix/errno_map.h"
#include "platform/posix/unique_fd.h"

namespace platform::posix {
namespace {

using Written = std::function<void(std::uint64_t)>;

constexpr std::size_t kPiece = 8u << 20;

bool CopyWithReadWrite(int in, int out, const Written& written) {
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
        written(static_cast<std::uint64_t>(got));
    }
}

bool CopyContent(int in, int out, off_t size, const Written& written) {
    off_t copied = 0;
    while (copied < size) {
        const auto piece = static_cast<size_t>(std::min<off_t>(size - copied, kPiece));
        const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, piece, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 &&
            (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP)) {
            return CopyWithReadWrite(in, out, written);
        }
        if (n < 0) return false;
        if (n == 0) return CopyWithReadWrite(in, out, written);  // the size seen was not the end
        copied += n;
        written(static_cast<std::uint64_t>(n));
    }
    return true;
}

mode_t ModeFor(const struct stat& source) {
    return (source.st_mode & 0777) | S_IWUSR;
}

// The source's last-write time and attributes on the copy, which is on the medium afterwards.
// A new file was made with the source's mode and has no attributes yet: read-only, hidden or
// system are all it may need.
bool ApplySourceFacts(int out, const struct stat& st, win32::DWORD attributes, bool created) {
    if (!created && ::fchmod(out, ModeFor(st)) != 0) return false;
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    if (::futimens(out, times) != 0) return false;
    if (::fdatasync(out) != 0) return false;
    const win32::DWORD kept = win32::FILE_ATTRIBUTE_READONLY | win32::FILE_ATTRIBUTE_HIDDEN |
                              win32::FILE_ATTRIBUTE_SYSTEM;
    return (created && (attributes & kept) == 0) || WriteDosAttributesFd(out, attributes);
}

}  // namespace

win32::DWORD CopyHostFile(const HostPath& source, const HostPath& target, bool failIfExists,
                          const Written& written) {
    UniqueFd in(OpenEntry(source, O_RDONLY));
    struct stat st;
    if (!in.valid() || ::fstat(in.get(), &st) != 0) return ErrorFromErrno(errno);
    if (!S_ISREG(st.st_mode)) return win32::ERROR_ACCESS_DENIED;
    const win32::DWORD attributes = ReadDosAttributesFd(in.get());

    const int create =
        O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | (failIfExists ? O_EXCL : O_TRUNC);
    UniqueFd out(::openat(target.folder.get(), target.name.c_str(), create, 0666));
    if (!out.valid()) {
        if (failIfExists && errno == EEXIST) return win32::ERROR_FILE_EXISTS;
        return errno == ELOOP ? win32::ERROR_ACCESS_DENIED : ErrorFromErrno(errno);
    }
    // With failIfExists the name was free, so the file is new (O_EXCL).
    const bool ok = CopyContent(in.get(), out.get(), st.st_size, written) &&
                    ApplySourceFacts(out.get(), st, attributes, failIfExists) && out.Close();
    if (ok) return win32::ERROR_SUCCESS;
    const int saved = errno;
    out.Reset();
    ::unlinkat(target.folder.get(), target.name.c_str(), 0);
    return ErrorFromErrno(saved);
}

}  // namespace platform::posix
