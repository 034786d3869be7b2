#include "sysfiles/folder_tree_update.h"

#include <exception>
#include <optional>
#include <string>

#include "common/path_text.h"
#include "engine/device_copy.h"
#include "engine/folder_operations.h"
#include "engine/folder_search.h"
#include "engine/folder_tree.h"
#include "kpz/detection.h"
#include "platform/file.h"
#include "platform/win32.h"
#include "sysfiles/status_notify.h"

using namespace win32;

namespace {

struct Walk {
    tagPORTDEVINFO& device;
    const char* pattern;
    const std::string& base;  // the target folder with a trailing backslash
    PFNUPGRADESTATUSCALLBACK callback;
    int failures = 0;
};

std::int64_t WholeSeconds(const FILETIME& time) {
    constexpr std::int64_t kEpochDifference = 11644473600LL;  // 1601 to 1970, in seconds
    const std::uint64_t ticks = (std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
    return static_cast<std::int64_t>(ticks / 10000000) - kEpochDifference;
}

// The full path of a name the search found: the pattern's folder joined with it.
std::optional<std::string> FoundPath(const char* pattern, const char* name) {
    const std::string_view folder = common::FolderPart(pattern);
    if (folder.empty()) return std::string(name);
    return common::JoinPath(folder, name);
}

// Whether the device's copy is replaced: unless it is newer than the source, to the second.
// None when the target couldn't be read and the device has gone.
std::optional<bool> ShouldCopy(char driveLetter, const WIN32_FIND_DATAA& item,
                               const std::string& target) {
    if (GetFileAttributesA(target.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
    try {
        platform::File file;
        if (file.Open(target.c_str(), platform::File::modeRead | platform::File::shareDenyWrite)) {
            return WholeSeconds(item.ftLastWriteTime) >= file.GetStatus().mtimeSeconds;
        }
    } catch (const platform::FileException&) {
    }
    if (KPZPortableDeviceDetectionIsPresent(driveLetter)) return true;
    return std::nullopt;
}

int UpdateFile(Walk& walk, const WIN32_FIND_DATAA& item) {
    sysfiles::NotifyProgress(walk.callback, walk.device, UPGSTAT_STEP, 0);
    const auto target = common::JoinPath(walk.base, item.cFileName);
    const auto source = FoundPath(walk.pattern, item.cFileName);
    if (!target || !source) {
        ++walk.failures;
        return kTreeCopied;
    }
    ClearReadOnlyHidden(source->c_str());
    ClearReadOnlyHidden(target->c_str());
    const auto copy = ShouldCopy(walk.device.driveLetter, item, *target);
    if (!copy) {
        sysfiles::Notify(walk.callback, walk.device, UPGSTAT_DEVICE_LOST);
        return kTreeDeviceGone;
    }
    if (*copy && !ReplaceDeviceFile(source->c_str(), target->c_str(), false)) ++walk.failures;
    return kTreeCopied;
}

// A folder that exists now (made or there before), hidden; false when it can't be made.
bool CreateHiddenFolder(const std::string& folder) {
    if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        return false;
    }
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_HIDDEN)) {
        SetFileAttributesA(folder.c_str(), attributes | FILE_ATTRIBUTE_HIDDEN);
    }
    return true;
}

// A folder found: made on the device and walked with the same name pattern one level down.
// A folder that can't be made is skipped with what lies below it.
int UpdateFolder(Walk& walk, const WIN32_FIND_DATAA& item) {
    sysfiles::NotifyProgress(walk.callback, walk.device, UPGSTAT_STEP, 0);
    const auto subTarget = common::JoinPath(walk.base, item.cFileName);
    if (!subTarget || !CreateHiddenFolder(*subTarget)) return kTreeCopied;
    std::string subPattern;
    if (!SubPattern(walk.pattern, item.cFileName, subPattern)) return kTreeCopied;
    const auto subBase = common::WithTrailingBackslash(*subTarget);
    if (!subBase) return kTreeCopied;
    return UpdateFolderTree(&walk.device, subPattern.c_str(), subBase->c_str(), walk.callback);
}

int WalkTree(Walk& walk) {
    FolderSearch search(walk.pattern);
    if (!search.Found()) return kTreeNothingFound;
    do {
        if (search.ItemIsDots()) continue;
        // A sub-folder where the pattern finds nothing is empty, not a failure: the walk goes
        // on, as the step count does. A failure below ends it.
        const int result = search.ItemIsFolder() ? UpdateFolder(walk, search.Item())
                                                 : UpdateFile(walk, search.Item());
        if (result < 0) return result;
    } while (search.Next());
    return walk.failures > 0 ? kTreeCopyFailed : kTreeCopied;
}

}  // namespace

int UpdateFolderTree(tagPORTDEVINFO* device, const char* pattern, const char* targetFolder,
                     PFNUPGRADESTATUSCALLBACK callback) {
    if (device == nullptr || pattern == nullptr || targetFolder == nullptr) {
        return kTreeMissingArgument;
    }
    const auto base = common::WithTrailingBackslash(targetFolder);
    if (!base) return kTreeCopyFailed;  // a target the platform can't hold
    try {
        Walk walk{*device, pattern, *base, callback};
        return WalkTree(walk);
    } catch (const std::exception&) {
        if (KPZPortableDeviceDetectionIsPresent(device->driveLetter)) {
            return kTreeFailedDevicePresent;
        }
        sysfiles::Notify(callback, *device, UPGSTAT_DEVICE_LOST);
        return kTreeDeviceGone;
    }
}
