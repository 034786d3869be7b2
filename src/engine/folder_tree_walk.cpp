#include "engine/folder_tree_walk.h"

#include <exception>
#include <optional>

#include "common/path_text.h"
#include "engine/folder_operations.h"
#include "engine/folder_search.h"
#include "engine/folder_tree.h"
#include "kpz/detection.h"

namespace {

// One level of the walk: the pattern, the target folder with a trailing backslash.
struct Level {
    tagPORTDEVINFO& device;
    const char* pattern;
    const std::string& base;
    PFNUPGRADESTATUSCALLBACK callback;
    TreeFilePolicy& policy;
    bool failed = false;
};

void SendStep(const Level& level) {
    if (level.callback == nullptr) return;
    tagUPDATESYSFILEINFO info{};
    level.callback(level.device, UPGSTAT_STEP, &info);
}

// The full path of a name the search found: the pattern's folder joined with it.
std::optional<std::string> FoundPath(const char* pattern, const char* name) {
    const std::string_view folder = common::FolderPart(pattern);
    if (folder.empty()) return std::string(name);
    return common::JoinPath(folder, name);
}

int WalkFile(Level& level, const win32::WIN32_FIND_DATAA& item) {
    const auto source = FoundPath(level.pattern, item.cFileName);
    const auto target = common::JoinPath(level.base, item.cFileName);
    if (!source || !target) {  // paths the platform can't hold
        level.failed = true;
        return kTreeCopied;
    }
    const int result = level.policy.HandleFile(item, *source, *target);
    if (result == kTreeCopyFailed) level.failed = true;
    return result == kTreeDeviceGone ? kTreeDeviceGone : kTreeCopied;
}

// The folder made on the device and walked one level down; a result below 0 ends the walk.
int WalkFolder(Level& level, const char* name) {
    const auto target = common::JoinPath(level.base, name);
    const auto below = target ? common::WithTrailingBackslash(*target) : std::nullopt;
    if (!below || !CreateHiddenFolder(target->c_str())) {
        if (level.policy.FolderFailureCounts()) level.failed = true;
        return kTreeCopied;
    }
    if (std::string_view(level.pattern).find('\\') == std::string_view::npos) {
        return kTreeCopied;  // a pattern without a folder copies nothing below its folders
    }
    std::string sub;
    if (!SubPattern(level.pattern, name, sub)) {
        if (level.policy.FolderFailureCounts()) level.failed = true;  // too long to follow
        return kTreeCopied;
    }
    return WalkFolderTree(level.device, sub.c_str(), below->c_str(), level.callback, level.policy);
}

int WalkLevel(Level& level) {
    FolderSearch search(level.pattern);
    if (!search.Found()) return kTreeNothingFound;
    do {
        if (search.ItemIsDots()) continue;
        SendStep(level);
        // A sub-folder where the pattern finds nothing is empty, not a failure: the walk goes
        // on, as the count does. A failure below ends it.
        const int result = search.ItemIsFolder() ? WalkFolder(level, search.Item().cFileName)
                                                 : WalkFile(level, search.Item());
        if (result < 0) return result;
    } while (search.Next());
    return level.failed ? kTreeCopyFailed : kTreeCopied;
}

}  // namespace

void ClearSourceAttributes(const win32::WIN32_FIND_DATAA& item, const std::string& source) {
    const win32::DWORD cleared = win32::FILE_ATTRIBUTE_READONLY | win32::FILE_ATTRIBUTE_HIDDEN;
    if (item.dwFileAttributes & cleared) ClearReadOnlyHidden(source.c_str());
}

int WalkFolderTree(tagPORTDEVINFO& device, const char* pattern, const char* targetFolder,
                   PFNUPGRADESTATUSCALLBACK callback, TreeFilePolicy& policy) {
    if (pattern == nullptr || targetFolder == nullptr) return kTreeMissingArgument;
    try {
        const auto base = common::WithTrailingBackslash(targetFolder);
        if (!base) return kTreeCopyFailed;  // a target the platform can't hold
        Level level{device, pattern, *base, callback, policy};
        return WalkLevel(level);
    } catch (const std::exception&) {
        if (KPZPortableDeviceDetectionIsPresent(device.driveLetter)) {
            return kTreeFailedDevicePresent;
        }
        if (callback != nullptr) callback(device, UPGSTAT_DEVICE_LOST, nullptr);
        return kTreeDeviceGone;
    }
}
