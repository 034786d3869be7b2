#include <exception>
#include <string>

#include "common/entry_kind.h"
#include "common/path_text.h"
#include "engine/folder_tree.h"
#include "engine/system_file_list.h"
#include "engine/upgrade.h"

namespace {

// Steps below one wildcard entry: what its pattern finds.
std::int32_t WildcardSteps(const char* sourceFolder, const char* entry) {
    const auto pattern = common::JoinPath(sourceFolder, common::DropLeadingBackslash(entry));
    std::int32_t found = 0;
    if (pattern && common::IsContainedRelativePath(entry) &&
        CountFolderTree(pattern->c_str(), &found)) {
        return found;
    }
    return 0;
}

}  // namespace

int CountUpgradeSteps(const tagPORTDEVINFO* device, const char* sourceFolder, std::int32_t* count) {
    if (device == nullptr || sourceFolder == nullptr || count == nullptr) return 0;
    *count = 0;
    if (device->desc.hasSystemFiles == 0) return 0;
    try {
        for (const auto& entry : device->desc.systemFiles) {
            if (!IsListedEntry(entry.get())) continue;
            *count += 1;
            if (common::ClassifyEntryPath(entry->path) == common::kWildcardEntry) {
                *count += WildcardSteps(sourceFolder, entry->path);
            }
        }
    } catch (const std::exception&) {
        return 0;
    }
    return 1;
}
