// MoveFileA / MoveFileExA: one rename within a drive. The entry ends under the name as the
// caller wrote it, also where an old entry spelled in other capitals was replaced.
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/dos_attributes.h"
#include "platform/posix/errno_map.h"
#include "platform/posix/posix_file_system.h"
#include "platform/win32.h"

namespace platform::posix {
namespace {

bool Fail(win32::DWORD error) {
    win32::SetLastError(error);
    return false;
}

bool SameEntry(const HostPath& a, const HostPath& b) {
    return a.exists && b.exists && a.st.st_dev == b.st.st_dev && a.st.st_ino == b.st.st_ino;
}

bool IsReadOnly(const HostPath& host) {
    const win32::DWORD attributes = ReadDosAttributesAt(host.folder.get(), host.AtName(), host.st);
    return attributes != win32::INVALID_FILE_ATTRIBUTES &&
           (attributes & win32::FILE_ATTRIBUTE_READONLY) != 0;
}

int RenameNoReplace(const HostPath& from, const HostPath& to) {
    const int folder = to.folder.get();
    if (::renameat2(from.folder.get(), from.name.c_str(), folder, to.givenName.c_str(),
                    RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS) return -1;
    return ::renameat(from.folder.get(), from.name.c_str(), folder, to.givenName.c_str());
}

// The folder's entries on the medium before the call returns.
bool SyncFolder(const HostPath& host) {
    const int fd = OpenFolderForListing(host.folder.get());
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

}  // namespace

bool PosixFileSystem::MoveFile(const char* source, const char* target, win32::DWORD flags) {
    HostPath from, to;
    char fromDrive = 0, toDrive = 0;
    if (!Resolve(source, from, &fromDrive) || !Resolve(target, to, &toDrive)) return false;
    if (!from.exists) return Fail(win32::ERROR_FILE_NOT_FOUND);
    if (fromDrive != toDrive) return Fail(win32::ERROR_NOT_SAME_DEVICE);
    if (from.isRoot || to.isRoot) return Fail(win32::ERROR_ACCESS_DENIED);
    FolderChange fromChange(*this, from.folder.get());
    FolderChange toChange(*this, to.folder.get());
    int renamed = 0;
    if (SameEntry(from, to)) {  // the same entry, perhaps in other capitals
        if (from.name != to.givenName) {
            renamed = ::renameat(from.folder.get(), from.name.c_str(), to.folder.get(),
                                 to.givenName.c_str());
        }
    } else if (to.exists) {
        if ((flags & win32::MOVEFILE_REPLACE_EXISTING) == 0) {
            return Fail(win32::ERROR_ALREADY_EXISTS);
        }
        if (to.IsDirectory() || IsReadOnly(to)) return Fail(win32::ERROR_ACCESS_DENIED);
        // The old entry takes the new spelling first, so the replacement lands on it in one
        // rename and no second copy under the old spelling is ever left.
        if (to.name != to.givenName && ::renameat(to.folder.get(), to.name.c_str(), to.folder.get(),
                                                  to.givenName.c_str()) != 0) {
            return Fail(ErrorFromErrno(errno));
        }
        renamed =
            ::renameat(from.folder.get(), from.name.c_str(), to.folder.get(), to.givenName.c_str());
    } else {
        renamed = RenameNoReplace(from, to);
    }
    if (renamed != 0) return Fail(ErrorFromErrno(errno));
    if (fromChange.SameFolderAs(toChange)) {
        toChange.Done({to.givenName}, {from.name, to.name});
    } else {
        fromChange.Done({}, {from.name});
        toChange.Done({to.givenName}, {to.name});
    }
    if ((flags & win32::MOVEFILE_WRITE_THROUGH) != 0 && !SyncFolder(to)) {
        return Fail(ErrorFromErrno(errno));
    }
    return true;
}

}  // namespace platform::posix
