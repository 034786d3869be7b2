#include "platform/posix/errno_map.h"

#include <cerrno>

namespace platform::posix {

win32::DWORD ErrorFromErrno(int error) {
    switch (error) {
        case 0:
            return win32::ERROR_SUCCESS;
        case ENOENT:
            return win32::ERROR_FILE_NOT_FOUND;
        case ENOTDIR:
        case ELOOP:
            return win32::ERROR_PATH_NOT_FOUND;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
        case ETXTBSY:
            return win32::ERROR_ACCESS_DENIED;
        case EEXIST:
            return win32::ERROR_ALREADY_EXISTS;
        case ENOTEMPTY:
            return win32::ERROR_DIR_NOT_EMPTY;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return win32::ERROR_DISK_FULL;
        case EXDEV:
            return win32::ERROR_NOT_SAME_DEVICE;
        case ENAMETOOLONG:
            return win32::ERROR_FILENAME_EXCED_RANGE;
        case EMFILE:
        case ENFILE:
            return win32::ERROR_TOO_MANY_OPEN_FILES;
        case ENOMEM:
            return win32::ERROR_NOT_ENOUGH_MEMORY;
        case EBUSY:
            return win32::ERROR_SHARING_VIOLATION;
        case ENXIO:
        case ENODEV:
            return win32::ERROR_DEVICE_NOT_CONNECTED;
        case ENOMEDIUM:
            return win32::ERROR_NOT_READY;
        case EINVAL:
            return win32::ERROR_INVALID_PARAMETER;
        case ENOTSUP:
            return win32::ERROR_NOT_SUPPORTED;
        case EIO:
            return win32::ERROR_IO_DEVICE;
        default:
            return win32::ERROR_GEN_FAILURE;
    }
}

}  // namespace platform::posix
