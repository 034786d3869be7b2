#include "platform/posix/dos_attributes.h"

#include <fcntl.h>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>
#include <sys/vfs.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "platform/posix/unique_fd.h"

namespace platform::posix {
namespace {

constexpr const char* kXattrName = "user.DOSATTRIB";
constexpr win32::DWORD kXattrBits = win32::FILE_ATTRIBUTE_HIDDEN | win32::FILE_ATTRIBUTE_SYSTEM;
constexpr win32::DWORD kFatBits =
    win32::FILE_ATTRIBUTE_READONLY | kXattrBits | win32::FILE_ATTRIBUTE_ARCHIVE;
constexpr long kMsdosMagic = 0x4d44;

bool IsVfat(int fd) {
    struct statfs fs;
    return ::fstatfs(fd, &fs) == 0 && fs.f_type == kMsdosMagic;
}

bool NoXattrSupport(int error) {
    return error == ENOTSUP || error == EOPNOTSUPP;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The attributes the mode says, with hidden and system from the extended attribute's value
// (`size` < 0: none could be read).
win32::DWORD FromModeAndXattr(const struct stat& st, const char* value, ssize_t size) {
    if (S_ISDIR(st.st_mode)) {
        win32::DWORD attributes = win32::FILE_ATTRIBUTE_DIRECTORY;
        if (size > 0) attributes |= ParseDosAttribText(value, size) & kXattrBits;
        return attributes;
    }
    win32::DWORD attributes = win32::FILE_ATTRIBUTE_ARCHIVE;
    if ((st.st_mode & 0222) == 0) attributes |= win32::FILE_ATTRIBUTE_READONLY;
    if (size > 0) attributes |= ParseDosAttribText(value, size) & kXattrBits;
    return attributes;
}

win32::DWORD FromFatByte(int fd, const struct stat& st) {
    std::uint32_t fat = 0;
    if (::ioctl(fd, FAT_IOCTL_GET_ATTRIBUTES, &fat) != 0) return FromModeAndXattr(st, nullptr, -1);
    const win32::DWORD kind = S_ISDIR(st.st_mode) ? win32::FILE_ATTRIBUTE_DIRECTORY : 0;
    return kind | (fat & kFatBits);
}

// "/proc/self/fd/N/name": the entry reached through the open folder, not by its path.
std::string ThroughFolder(int folderFd, const char* name) {
    return "/proc/self/fd/" + std::to_string(folderFd) + "/" + name;
}

win32::DWORD ReadXattrBits(int fd) {
    char buffer[64];
    const ssize_t size = ::fgetxattr(fd, kXattrName, buffer, sizeof buffer);
    return size > 0 ? ParseDosAttribText(buffer, static_cast<std::size_t>(size)) & kXattrBits : 0;
}

bool WriteXattrBits(int fd, win32::DWORD bits) {
    if (bits == 0) {
        if (::fremovexattr(fd, kXattrName) == 0 || errno == ENODATA) return true;
        return NoXattrSupport(errno);  // nothing can be stored, and nothing is
    }
    char text[16];
    const int length = std::snprintf(text, sizeof text, "0x%x", bits);
    return ::fsetxattr(fd, kXattrName, text, static_cast<std::size_t>(length), 0) == 0;
}

bool RestoreAfter(int fd, mode_t mode, bool restoreMode, win32::DWORD xattrBits,
                  bool restoreXattr) {
    const int saved = errno;
    if (restoreXattr) WriteXattrBits(fd, xattrBits);
    if (restoreMode) ::fchmod(fd, mode);
    errno = saved;
    return false;
}

bool WriteFatByte(int fd, const struct stat& st, win32::DWORD attributes) {
    std::uint32_t fat = 0;
    if (::ioctl(fd, FAT_IOCTL_GET_ATTRIBUTES, &fat) != 0) return false;
    fat = (fat & ~kFatBits) | (attributes & kFatBits);
    if (S_ISDIR(st.st_mode)) fat &= ~std::uint32_t{win32::FILE_ATTRIBUTE_READONLY};
    return ::ioctl(fd, FAT_IOCTL_SET_ATTRIBUTES, &fat) == 0;
}

// Read-only as write bits, hidden and system in the extended attribute. The attribute is
// changed while the owner may write the file (the kernel refuses it otherwise to anyone but
// root); the write bits are dropped last.
bool WriteModeAndXattr(int fd, const struct stat& st, win32::DWORD attributes) {
    const mode_t oldMode = st.st_mode & 07777;
    mode_t newMode = oldMode;
    if (!S_ISDIR(st.st_mode)) {  // a read-only folder stays writable, as on Windows
        const bool readOnly = (attributes & win32::FILE_ATTRIBUTE_READONLY) != 0;
        newMode =
            readOnly ? (oldMode & ~mode_t{0222}) : ((oldMode & 0222) ? oldMode : oldMode | S_IWUSR);
    }
    const win32::DWORD oldBits = ReadXattrBits(fd);
    const win32::DWORD newBits = attributes & kXattrBits;
    bool modeChanged = false;
    if (newBits != oldBits) {
        if (!S_ISDIR(st.st_mode) && (oldMode & S_IWUSR) == 0) {
            if (::fchmod(fd, oldMode | S_IWUSR) != 0) return false;
            modeChanged = true;
        }
        if (!WriteXattrBits(fd, newBits)) return RestoreAfter(fd, oldMode, modeChanged, 0, false);
    }
    if (newMode != oldMode || modeChanged) {
        if (::fchmod(fd, newMode) != 0) {
            return RestoreAfter(fd, oldMode, true, oldBits, newBits != oldBits);
        }
    }
    return true;
}

}  // namespace

win32::DWORD ParseDosAttribText(const char* data, std::size_t size) {
    if (size < 3 || data[0] != '0' || (data[1] != 'x' && data[1] != 'X')) return 0;
    win32::DWORD value = 0;
    std::size_t i = 2;
    for (; i < size && data[i] != '\0'; ++i) {
        const int digit = HexDigit(data[i]);
        if (digit < 0 || i >= 10) return 0;
        value = value * 16 + static_cast<win32::DWORD>(digit);
    }
    return i > 2 ? value : 0;
}

win32::DWORD ReadDosAttributesFd(int fd) {
    struct stat st;
    if (::fstat(fd, &st) != 0) return win32::INVALID_FILE_ATTRIBUTES;
    return ReadDosAttributesFd(fd, st);
}

win32::DWORD ReadDosAttributesFd(int fd, const struct stat& st) {
    char buffer[64];
    const ssize_t size = ::fgetxattr(fd, kXattrName, buffer, sizeof buffer);
    if (size < 0 && NoXattrSupport(errno) && IsVfat(fd)) return FromFatByte(fd, st);
    return FromModeAndXattr(st, buffer, size);
}

win32::DWORD ReadDosAttributesAt(int folderFd, const char* name, const struct stat& st) {
    char buffer[64];
    const ssize_t size =
        ::lgetxattr(ThroughFolder(folderFd, name).c_str(), kXattrName, buffer, sizeof buffer);
    if (size >= 0 || errno == ENODATA || errno == ERANGE) {
        return FromModeAndXattr(st, buffer, size);
    }
    // No extended attributes here (a FAT file system), or no /proc: ask the entry itself.
    UniqueFd fd(
        ::openat(folderFd, name, O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY));
    if (!fd.valid()) return FromModeAndXattr(st, nullptr, -1);
    return ReadDosAttributesFd(fd.get());
}

bool HasDosAttributesAt(int folderFd, const char* name, const struct stat& st,
                        win32::DWORD attributes) {
    char buffer[64];
    const ssize_t size =
        ::lgetxattr(ThroughFolder(folderFd, name).c_str(), kXattrName, buffer, sizeof buffer);
    if (size < 0 && errno != ENODATA) return false;  // a FAT file system, or unreadable
    win32::DWORD wanted = attributes & kXattrBits;
    if (!S_ISDIR(st.st_mode)) wanted |= attributes & win32::FILE_ATTRIBUTE_READONLY;
    const win32::DWORD have = FromModeAndXattr(st, buffer, size);
    const win32::DWORD compared = kXattrBits | win32::FILE_ATTRIBUTE_READONLY;
    // A value written by another tool with bits of its own is rewritten in ours.
    const bool ours = size <= 0 || ParseDosAttribText(buffer, size) == (have & kXattrBits);
    return ours && (have & compared) == wanted;
}

bool WriteDosAttributesFd(int fd, win32::DWORD attributes) {
    struct stat st;
    if (::fstat(fd, &st) != 0) return false;
    if (IsVfat(fd)) return WriteFatByte(fd, st, attributes);
    return WriteModeAndXattr(fd, st, attributes);
}

bool WriteDosAttributesAt(int folderFd, const char* name, win32::DWORD attributes) {
    UniqueFd fd(
        ::openat(folderFd, name, O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY));
    if (!fd.valid()) return false;
    return WriteDosAttributesFd(fd.get(), attributes);
}

}  // namespace platform::posix
