#include "engine/folder_operations.h"

#include <cstring>
#include <string>

#include "common/path_text.h"
#include "platform/win32.h"

using namespace win32;

namespace {

bool IsExistingDriveRoot(const std::string& prefix) {
    const bool shape = (prefix.size() == 2 || (prefix.size() == 3 && prefix[2] == '\\')) &&
                       platform::IsAsciiLetter(prefix[0]) && prefix[1] == ':';
    return shape && FileExists(prefix.c_str());
}

// Creates one prefix of the path; false with the error when it can't be made.
bool CreatePrefix(const std::string& prefix, int markHidden, DWORD& error) {
    if (prefix.empty() || IsExistingDriveRoot(prefix) || PathLooksLikeFile(prefix.c_str())) {
        return true;
    }
    if (markHidden) return CreateHiddenFolder(prefix.c_str(), &error);
    if (!CreateDirectoryA(prefix.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        error = GetLastError();
        return false;
    }
    return true;
}

}  // namespace

bool CreateHiddenFolder(const char* path, DWORD* error) {
    if (!CreateDirectoryA(path, nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        if (error != nullptr) *error = GetLastError();
        return false;
    }
    AddHiddenAttribute(path);
    return true;
}

void AddHiddenAttribute(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_HIDDEN)) return;
    SetFileAttributesA(path, attributes | FILE_ATTRIBUTE_HIDDEN);
}

int CreateFolderPath(const char* path, int markHidden, DWORD* error) {
    if (path == nullptr) return 0;
    const std::size_t length = std::strlen(path);
    DWORD failure = ERROR_SUCCESS;
    // A path the platform can't hold is refused whole, before any of it is created.
    if (length > common::kMaxPathLength) failure = ERROR_FILENAME_EXCED_RANGE;
    for (std::size_t i = 0; failure == ERROR_SUCCESS && i <= length; ++i) {
        if (i < length && path[i] != '\\') continue;
        CreatePrefix(std::string(path, i), markHidden, failure);
    }
    if (failure == ERROR_SUCCESS) return 1;
    if (error != nullptr) *error = failure;
    return 0;
}

int PathLooksLikeFile(const char* path) {
    if (path == nullptr) return 1;
    if (FileExists(path)) {
        const DWORD attributes = GetFileAttributesA(path);
        return attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    for (std::size_t i = std::strlen(path); i > 0; --i) {
        if (path[i - 1] == '\\') return 0;
        if (path[i - 1] == '.') return 1;
    }
    return 1;
}

int FileExists(const char* path) {
    return path != nullptr && *path != '\0' && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

int ClearReadOnlyHidden(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return 0;
    const DWORD cleared = attributes & ~(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    return SetFileAttributesA(path, cleared) ? 1 : 0;
}
