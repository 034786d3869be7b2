// DOS attributes on host files, in the conventions other tools read: read-only is the absence
// of every write bit; hidden and system are kept in the extended attribute user.DOSATTRIB as
// "0x%x" text. On a FAT file system the FAT attribute byte itself holds them.
#pragma once

#include <sys/stat.h>

#include <cstddef>

#include "platform/win32_types.h"

namespace platform::posix {

// The attribute value of an open file or folder, or INVALID_FILE_ATTRIBUTES with errno set;
// `st` is its status when the caller has it.
win32::DWORD ReadDosAttributesFd(int fd);
win32::DWORD ReadDosAttributesFd(int fd, const struct stat& st);

// The attribute value of the entry `name` of an open folder (any descriptor, O_PATH too),
// whose status `st` the caller has just read without following a link.
win32::DWORD ReadDosAttributesAt(int folderFd, const char* name, const struct stat& st);

// Sets read-only, hidden and system as `attributes` says, all or nothing: on failure the
// file keeps the attributes it had, and errno tells why. The extended attribute is written
// while the file can still be written, so a user who is not root can change it too.
bool WriteDosAttributesFd(int fd, win32::DWORD attributes);
bool WriteDosAttributesAt(int folderFd, const char* name, win32::DWORD attributes);

// Whether the entry (status `st`) already has the read-only, hidden and system attributes that
// `attributes` asks for, so that setting them would change nothing. False where that can't be
// told without opening it (a FAT file system).
bool HasDosAttributesAt(int folderFd, const char* name, const struct stat& st,
                        win32::DWORD attributes);

// Parses a user.DOSATTRIB value: "0x" and hex digits, up to the end or a NUL. A malformed
// value counts as no attribute.
win32::DWORD ParseDosAttribText(const char* data, std::size_t size);

}  // namespace platform::posix
