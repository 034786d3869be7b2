#include "engine/device_copy.h"

#include <string>

#include "common/path_text.h"
#include "engine/folder_operations.h"
#include "platform/win32.h"

using namespace win32;

namespace {

constexpr const char* kTemporaryName = "~kpzcopy.tmp";

void RemoveQuietly(const std::string& path) {
    const DWORD error = GetLastError();
    if (FileExists(path.c_str())) {
        ClearReadOnlyHidden(path.c_str());
        DeleteFileA(path.c_str());
    }
    SetLastError(error);
}

}  // namespace

bool ReplaceDeviceFile(const char* source, const char* target, bool failIfExists) {
    if (source == nullptr || target == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    if (failIfExists && FileExists(target)) {
        SetLastError(ERROR_FILE_EXISTS);
        return false;
    }
    const std::string_view folder = common::FolderPart(target);
    const auto temporary = common::JoinPath(folder, kTemporaryName);
    if (folder.empty() || !temporary) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return false;
    }
    RemoveQuietly(*temporary);  // left by a run that was cut off
    if (!CopyFileA(source, temporary->c_str(), TRUE)) {
        RemoveQuietly(*temporary);
        return false;
    }
    // A read-only target can't be replaced; it gets its attributes back if the move fails.
    const DWORD oldAttributes = GetFileAttributesA(target);
    if (oldAttributes != INVALID_FILE_ATTRIBUTES) ClearReadOnlyHidden(target);
    if (!MoveFileExA(temporary->c_str(), target, MOVEFILE_REPLACE_EXISTING)) {
        const DWORD error = GetLastError();
        if (oldAttributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesA(target, oldAttributes);
        SetLastError(error);
        RemoveQuietly(*temporary);
        return false;
    }
    return true;
}
