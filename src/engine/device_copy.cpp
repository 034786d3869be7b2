#include "engine/device_copy.h"

#include <string_view>

#include "common/path_text.h"
#include "engine/folder_operations.h"
#include "engine/folder_search.h"
#include "platform/win32.h"

using namespace win32;

namespace {

constexpr const char* kTemporaryNames[] = {"~kpzcopy.tmp", "~kpzcop2.tmp"};

bool Refuse(DWORD error) {
    SetLastError(error);
    return false;
}

// A temporary name in a device folder is free when nothing is there or what is there is a
// leftover: a file the installation doesn't ship under that name. A leftover is removed.
bool ClaimTemporary(const std::string& path, std::string_view sourceFolder, const char* name) {
    const DWORD error = GetLastError();
    const DWORD attributes = GetFileAttributesA(path.c_str());
    bool free = attributes == INVALID_FILE_ATTRIBUTES;
    if (!free && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        const auto shipped = common::JoinPath(sourceFolder, name);
        if (shipped && !FileExists(shipped->c_str())) {
            if (attributes & FILE_ATTRIBUTE_READONLY) {
                SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
            }
            free = DeleteFileA(path.c_str()) != 0;
        }
    }
    SetLastError(error);
    return free;
}

// Copies the source to one of the temporary names in `folder`: the first that is free, or
// becomes free once a leftover there is removed. False with the copy's error.
bool CopyToTemporary(const char* source, std::string_view folder, std::string_view targetName,
                     std::string& temporary) {
    SetLastError(ERROR_FILE_EXISTS);  // should both names be taken by data
    for (const char* name : kTemporaryNames) {
        if (common::EqualsNoCase(name, targetName)) continue;
        const auto path = common::JoinPath(folder, name);
        if (!path) return Refuse(ERROR_FILENAME_EXCED_RANGE);
        temporary = *path;
        if (CopyFileA(source, path->c_str(), TRUE)) return true;
        if (GetLastError() != ERROR_FILE_EXISTS) return false;  // it removed what it wrote
        if (ClaimTemporary(*path, common::FolderPart(source), name) &&
            CopyFileA(source, path->c_str(), TRUE)) {
            return true;
        }
    }
    return false;
}

// Puts the complete temporary copy in the target's place. A read-only old copy (which Windows
// won't replace) loses read-only and hidden first, and gets them back when that fails.
bool PutInPlace(const std::string& temporary, const char* target, bool failIfExists) {
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (failIfExists ? 0 : MOVEFILE_REPLACE_EXISTING);
    if (MoveFileExA(temporary.c_str(), target, flags)) return true;
    const DWORD error = GetLastError();
    if (error != ERROR_ACCESS_DENIED) return false;
    const DWORD old = GetFileAttributesA(target);
    const DWORD guarded = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
    if (old == INVALID_FILE_ATTRIBUTES || !(old & FILE_ATTRIBUTE_READONLY) ||
        !SetFileAttributesA(target, old & ~guarded)) {
        return Refuse(error);
    }
    if (MoveFileExA(temporary.c_str(), target, flags)) return true;
    const DWORD moveError = GetLastError();
    SetFileAttributesA(target, old);
    return Refuse(moveError);
}

void RemoveQuietly(const std::string& path) {
    const DWORD error = GetLastError();
    DeleteFileA(path.c_str());
    SetLastError(error);
}

}  // namespace

bool ReplaceDeviceFile(const char* source, const char* target, bool failIfExists) {
    if (source == nullptr || target == nullptr) return Refuse(ERROR_INVALID_PARAMETER);
    const std::string_view folder = common::FolderPart(target);
    const std::string_view name = common::NamePart(target);
    if (folder.empty() || name.empty()) return Refuse(ERROR_INVALID_NAME);
    if (failIfExists && FileExists(target)) return Refuse(ERROR_FILE_EXISTS);
    std::string temporary;
    if (!CopyToTemporary(source, folder, name, temporary)) return false;
    if (PutInPlace(temporary, target, failIfExists)) return true;
    RemoveQuietly(temporary);
    return false;
}

void RemoveLeftoverCopies(const std::string& deviceFolder, const std::string& sourceFolder) {
    for (const char* name : kTemporaryNames) {
        if (const auto path = common::JoinPath(deviceFolder, name)) {
            ClaimTemporary(*path, sourceFolder, name);
        }
    }
    const auto pattern = common::JoinPath(deviceFolder, "*");
    if (!pattern) return;
    FolderSearch search(pattern->c_str());
    if (!search.Found()) return;
    do {
        if (search.ItemIsDots() || !search.ItemIsFolder()) continue;
        const char* sub = search.Item().cFileName;
        const auto below = common::JoinPath(deviceFolder, sub);
        const auto mirror = common::JoinPath(sourceFolder, sub);
        if (below && mirror) RemoveLeftoverCopies(*below, *mirror);
    } while (search.Next());
}
