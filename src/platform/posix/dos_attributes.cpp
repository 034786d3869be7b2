#include "platform/posix/dos_attributes.h"

#include <fcntl.h>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

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

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

win32::DWORD ReadXattrBits(int fd) {
    char buffer[64];
    const ssize_t size = ::fgetxattr(fd, kXattrName, buffer, sizeof buffer);
    if (size <= 0) return 0;
    return ParseDosAttribText(buffer, static_cast<std::size_t>(size)) & kXattrBits;
}

bool WriteXattrBits(int fd, win32::DWORD bits) {
    if (bits == 0) {
        if (::fremovexattr(fd, kXattrName) == 0 || errno == ENODATA) return true;
        return errno == ENOTSUP;  // nothing can be stored, and nothing is
    }
    char text[16];
    const int length = std::snprintf(text, sizeof text, "0x%x", bits);
    return ::fsetxattr(fd, kXattrName, text, static_cast<std::size_t>(length), 0) == 0;
}

bool WriteReadOnlyMode(int fd, const struct stat& st, bool readOnly) {
    if (S_ISDIR(st.st_mode)) return true;  // a read-only folder stays writable, as on Windows
    mode_t mode = st.st_mode & 07777;
    mode = readOnly ? (mode & ~mode_t{0222}) : (mode | S_IWUSR);
    if (mode == (st.st_mode & 07777)) return true;
    return ::fchmod(fd, mode) == 0;
}

int OpenForAttributes(const std::string& hostPath) {
    return ::open(hostPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
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
    const bool directory = S_ISDIR(st.st_mode);
    win32::DWORD attributes = directory ? win32::FILE_ATTRIBUTE_DIRECTORY : 0;
    std::uint32_t fat = 0;
    if (IsVfat(fd) && ::ioctl(fd, FAT_IOCTL_GET_ATTRIBUTES, &fat) == 0) {
        attributes |= fat & kFatBits;
    } else {
        if (!directory) attributes |= win32::FILE_ATTRIBUTE_ARCHIVE;
        if (!directory && (st.st_mode & 0222) == 0) attributes |= win32::FILE_ATTRIBUTE_READONLY;
        attributes |= ReadXattrBits(fd);
    }
    return attributes;
}

win32::DWORD ReadDosAttributes(const std::string& hostPath) {
    const int fd = OpenForAttributes(hostPath);
    if (fd < 0) return win32::INVALID_FILE_ATTRIBUTES;
    const win32::DWORD attributes = ReadDosAttributesFd(fd);
    const int saved = errno;
    ::close(fd);
    errno = saved;
    return attributes;
}

bool WriteDosAttributesFd(int fd, win32::DWORD attributes) {
    struct stat st;
    if (::fstat(fd, &st) != 0) return false;
    if (IsVfat(fd)) {
        std::uint32_t fat = 0;
        if (::ioctl(fd, FAT_IOCTL_GET_ATTRIBUTES, &fat) != 0) return false;
        fat = (fat & ~kFatBits) | (attributes & kFatBits);
        if (S_ISDIR(st.st_mode)) fat &= ~std::uint32_t{win32::FILE_ATTRIBUTE_READONLY};
        return ::ioctl(fd, FAT_IOCTL_SET_ATTRIBUTES, &fat) == 0;
    }
    if (!WriteReadOnlyMode(fd, st, (attributes & win32::FILE_ATTRIBUTE_READONLY) != 0)) {
        return false;
    }
    return WriteXattrBits(fd, attributes & kXattrBits);
}

bool WriteDosAttributes(const std::string& hostPath, win32::DWORD attributes) {
    const int fd = OpenForAttributes(hostPath);
    if (fd < 0) return false;
    const bool ok = WriteDosAttributesFd(fd, attributes);
    const int saved = errno;
    ::close(fd);
    errno = saved;
    return ok;
}

}  // namespace platform::posix
