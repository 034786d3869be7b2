#include "engine/file_copy.h"

#include <optional>
#include <string>

#include "common/path_text.h"
#include "engine/device_copy.h"
#include "engine/folder_operations.h"

namespace {

// The device path of the entry, or none when the entry would leave the device folder.
std::optional<std::string> EntryTarget(const char* deviceFolder, const char* entry) {
    if (!common::IsContainedRelativePath(entry) || common::NamePart(entry).empty()) {
        return std::nullopt;
    }
    return common::JoinPath(deviceFolder, common::DropLeadingBackslash(entry));
}

void CreateEntryFolders(const char* deviceFolder, const char* entry) {
    const std::string_view folder = common::FolderPart(common::DropLeadingBackslash(entry));
    if (folder.empty()) return;
    if (const auto path = common::JoinPath(deviceFolder, folder)) {
        CreateFolderPath(path->c_str(), 1);
    }
}

}  // namespace

int CopyFileToDevice(const char* sourceFile, const char* deviceFolder, const char* entry,
                     int failIfExists) {
    if (sourceFile == nullptr || deviceFolder == nullptr || entry == nullptr) {
        return kFileCopyFailed;
    }
    auto target = EntryTarget(deviceFolder, entry);
    if (!target) return kFileCopyFailed;
    CreateEntryFolders(deviceFolder, entry);
    // A new file gets a lower-case name; existing folders are found whatever their case.
    common::ToLowerAscii(*target);
    if (!FileExists(sourceFile)) return kFileSourceMissing;
    ClearReadOnlyHidden(sourceFile);
    // The target's attributes are cleared only once the new copy is complete.
    return ReplaceDeviceFile(sourceFile, target->c_str(), failIfExists != 0) ? kFileCopied
                                                                             : kFileCopyFailed;
}
