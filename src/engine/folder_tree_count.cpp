#include <exception>
#include <string>

#include "common/path_text.h"
#include "engine/folder_search.h"
#include "engine/folder_tree.h"

bool SubPattern(const char* pattern, const char* folderName, std::string& out) {
    const std::string text(pattern);
    const std::size_t slash = text.rfind('\\');
    if (slash == std::string::npos) return false;
    out = text.substr(0, slash) + "\\" + folderName + text.substr(slash);
    return out.size() <= common::kMaxPathLength;
}

namespace {

std::int32_t CountItems(const char* pattern) {
    std::int32_t count = 0;
    FolderSearch search(pattern);
    if (!search.Found()) return 0;
    do {
        if (search.ItemIsDots()) continue;
        ++count;
        std::string sub;
        std::int32_t inner = 0;
        if (search.ItemIsFolder() && SubPattern(pattern, search.Item().cFileName, sub) &&
            CountFolderTree(sub.c_str(), &inner)) {
            count += inner;
        }
    } while (search.Next());
    return count;
}

}  // namespace

int CountFolderTree(const char* pattern, std::int32_t* count) {
    if (pattern == nullptr || count == nullptr) return 0;
    *count = 0;
    try {
        *count = CountItems(pattern);
        return 1;
    } catch (const std::exception&) {
        return 0;
    }
}
