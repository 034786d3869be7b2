#include <exception>

#include "common/entry_kind.h"
#include "common/path_text.h"
#include "engine/folder_operations.h"
#include "engine/system_file_list.h"
#include "engine/upgrade.h"
#include "platform/file.h"

namespace {

enum class Summed { kAll, kStopped, kMissing };

// Adds the size of each file entry's source to `total`. A refused entry adds nothing: the
// copy reports it when its turn comes.
Summed SumFileEntries(const tagPORTDEVDESC& desc, const std::string& base, std::uint64_t& total) {
    for (const auto& entry : desc.systemFiles) {
        if (!IsListedEntry(entry.get())) continue;
        if (common::ClassifyEntryPath(entry->path) != common::kFileEntry) continue;
        const auto path = common::JoinPath(base, common::DropLeadingBackslash(entry->path));
        if (!path || !common::IsContainedRelativePath(entry->path)) continue;
        if (!FileExists(path->c_str())) return Summed::kMissing;
        platform::File file;
        if (!file.Open(path->c_str(), platform::File::modeRead | platform::File::shareDenyNone)) {
            return Summed::kStopped;
        }
        // The whole 64-bit length: a file of 2 GiB or more must not shrink the total.
        total += file.GetLength();
    }
    return Summed::kAll;
}

}  // namespace

int GetUpgradeFilesSize(const tagPORTDEVINFO* device, const char* sourceFolder,
                        std::uint64_t* size) {
    if (device == nullptr || size == nullptr) return 0;
    *size = 0;
    if (device->desc.hasSystemFiles == 0) return 1;
    if (sourceFolder == nullptr) return 0;
    const auto base = common::WithTrailingBackslash(sourceFolder);
    if (!base) return 0;
    try {
        return SumFileEntries(device->desc, *base, *size) == Summed::kMissing ? 0 : 1;
    } catch (const platform::FileException&) {
        return 1;  // the total reached so far
    } catch (const std::exception&) {
        *size = 0;
        return 0;
    }
}
