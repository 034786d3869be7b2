// DOS attributes on host files, in the conventions other tools read: read-only is the absence
// of every write bit; hidden and system are kept in the extended attribute user.DOSATTRIB as
// "0x%x" text. On a vfat mount the FAT attribute byte itself holds them.
#pragma once

#include <string>

#include "platform/win32_types.h"

namespace platform::posix {

// The attribute value of what lies at `hostPath`, or INVALID_FILE_ATTRIBUTES with errno set.
win32::DWORD ReadDosAttributes(const std::string& hostPath);
win32::DWORD ReadDosAttributesFd(int fd);

// Sets read-only, hidden and system as `attributes` says; returns false with errno set.
bool WriteDosAttributes(const std::string& hostPath, win32::DWORD attributes);
bool WriteDosAttributesFd(int fd, win32::DWORD attributes);

// Parses a user.DOSATTRIB value: "0x" and hex digits, up to the end or a NUL. A malformed
// value counts as no attribute.
win32::DWORD ParseDosAttribText(const char* data, std::size_t size);

}  // namespace platform::posix
