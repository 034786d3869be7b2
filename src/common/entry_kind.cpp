#include "common/entry_kind.h"

#include <cstring>

namespace common {

int ClassifyEntryPath(const char* path) {
    if (path == nullptr) return kNoEntry;
    const std::size_t length = std::strlen(path);
    if (length > 0 && path[length - 1] == '\\') return kFolderEntry;
    if (std::strchr(path, '*') != nullptr) return kWildcardEntry;
    return kFileEntry;
}

}  // namespace common
