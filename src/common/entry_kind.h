#pragma once

namespace common {

enum EntryKind { kNoEntry = 0, kFileEntry = 1, kFolderEntry = 2, kWildcardEntry = 3 };

// 0 for a null path, 2 when it ends in a backslash, else 3 when it holds '*', else 1.
int ClassifyEntryPath(const char* path);

}  // namespace common
