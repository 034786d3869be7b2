#include <exception>
#include <optional>
#include <string>

#include "common/path_text.h"
#include "engine/device_copy.h"
#include "engine/folder_operations.h"
#include "engine/folder_search.h"
#include "engine/folder_tree.h"
#include "kpz/detection.h"
#include "platform/win32.h"

using namespace win32;

namespace {

// One level of the walk: the pattern's folder on the computer, the target folder on the device.
struct Level {
    tagPORTDEVINFO& device;
    const char* pattern;
    std::string sourceFolder;  // empty for a pattern without a backslash
    bool hasFolder;
    std::string base;
    PFNUPGRADESTATUSCALLBACK callback;
};

void SendStep(const Level& level) {
    if (level.callback == nullptr) return;
    tagUPDATESYSFILEINFO info{};
    level.callback(level.device, UPGSTAT_STEP, &info);
}

// False when the file couldn't be copied (or its paths would be too long).
bool CopyItemFile(const Level& level, const char* name) {
    const auto source = level.hasFolder ? common::JoinPath(level.sourceFolder, name)
                                        : std::optional<std::string>(name);
    const auto target = common::JoinPath(level.base, name);
    if (!source || !target) return false;
    ClearReadOnlyHidden(source->c_str());
    return ReplaceDeviceFile(source->c_str(), target->c_str(), false);
}

// The folder's target, created and hidden; none when it can't be made.
std::optional<std::string> CreateItemFolder(const Level& level, const char* name) {
    auto target = common::JoinPath(level.base, name);
    if (!target) return std::nullopt;
    if (!CreateDirectoryA(target->c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        return std::nullopt;
    }
    const DWORD attributes = GetFileAttributesA(target->c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_HIDDEN)) {
        SetFileAttributesA(target->c_str(), attributes | FILE_ATTRIBUTE_HIDDEN);
    }
    return common::WithTrailingBackslash(*target);
}

// The result of the folder's own walk one level down; below 0 ends the search.
int CopyItemFolder(const Level& level, const char* name, bool& failed) {
    const auto target = CreateItemFolder(level, name);
    if (!target) {
        failed = true;
        return kTreeCopied;
    }
    if (!level.hasFolder) return kTreeCopied;
    std::string sub;
    if (!SubPattern(level.pattern, name, sub)) {
        failed = true;  // a sub-pattern too long to follow
        return kTreeCopied;
    }
    return CopyFolderTree(&level.device, sub.c_str(), target->c_str(), level.callback);
}

int CopyLevel(const Level& level) {
    FolderSearch search(level.pattern);
    if (!search.Found()) return kTreeNothingFound;
    bool failed = false;
    do {
        if (search.ItemIsDots()) continue;
        SendStep(level);
        const char* name = search.Item().cFileName;
        if (!search.ItemIsFolder()) {
            if (!CopyItemFile(level, name)) failed = true;
            continue;
        }
        // A sub-folder where the pattern finds nothing is empty, not a failure: the walk goes
        // on, as the count does. A failure below ends it.
        const int inner = CopyItemFolder(level, name, failed);
        if (inner < 0) return inner;
    } while (search.Next());
    return failed ? kTreeCopyFailed : kTreeCopied;
}

}  // namespace

int CopyFolderTree(const tagPORTDEVINFO* device, const char* pattern, const char* targetFolder,
                   PFNUPGRADESTATUSCALLBACK callback) {
    if (device == nullptr || pattern == nullptr || targetFolder == nullptr) {
        return kTreeMissingArgument;
    }
    // The record is only read; the callback's signature wants it without const.
    tagPORTDEVINFO& record = const_cast<tagPORTDEVINFO&>(*device);
    try {
        const auto base = common::WithTrailingBackslash(targetFolder);
        if (!base) return kTreeCopyFailed;
        const bool hasFolder = std::string_view(pattern).find('\\') != std::string_view::npos;
        const Level level{record,    pattern, std::string(common::FolderPart(pattern)),
                          hasFolder, *base,   callback};
        return CopyLevel(level);
    } catch (const std::exception&) {
        if (KPZPortableDeviceDetectionIsPresent(device->driveLetter)) {
            return kTreeFailedDevicePresent;
        }
        if (callback != nullptr) callback(record, UPGSTAT_DEVICE_LOST, nullptr);
        return kTreeDeviceGone;
    }
}
