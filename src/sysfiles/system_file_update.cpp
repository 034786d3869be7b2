#include "sysfiles/system_file_update.h"

#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "common/entry_kind.h"
#include "common/path_text.h"
#include "engine/device_copy.h"
#include "engine/folder_operations.h"
#include "engine/folder_tree.h"
#include "engine/system_file_list.h"
#include "engine/upgrade.h"
#include "engine/upgrade_paths.h"
#include "kpz/detection.h"
#include "sysfiles/folder_tree_update.h"
#include "sysfiles/reconcile.h"
#include "sysfiles/status_notify.h"
#include "sysfiles/update_messages.h"

int g_bNewerFilesMessageShown = 0;

namespace {

using sysfiles::Notify;
using sysfiles::NotifyProgress;

struct Run {
    tagPORTDEVINFO& device;
    PFNUPGRADESTATUSCALLBACK callback;
    std::string deviceFolder{};  // with a trailing backslash once it exists
    std::string sourceFolder{};
    std::int32_t totalSteps = 0;
    std::int32_t missingOrNewer = 0;
    std::int32_t copyErrors = 0;
};

template <std::size_t N>
std::string_view Text(const char (&member)[N]) {
    return std::string_view(member, strnlen(member, N));
}

// Builds and creates the device folder; false when the run can't start (a folder that would
// leave the drive or the installation, a path too long, a folder that can't be made).
bool PrepareFolders(Run& run, const char* sourceRoot) {
    const auto deviceFolder = UpgradeDeviceFolder(run.device);
    const auto sourceFolder = UpgradeSourceFolder(sourceRoot, run.device.desc);
    if (!deviceFolder || !sourceFolder) return false;
    RemoveLeftoverCopies(*deviceFolder, *sourceFolder);
    if (!CreateFolderPath(deviceFolder->c_str(), 1)) return false;
    const auto withBackslash = common::WithTrailingBackslash(*deviceFolder);
    if (!withBackslash) return false;
    run.deviceFolder = *withBackslash;
    run.sourceFolder = *sourceFolder;
    return true;
}

// An entry path that may be followed: one that stays inside its folder.
bool IsFollowable(const tagPORTDEVSYSFILE& entry) {
    return common::IsContainedRelativePath(entry.path);
}

void UpdateFileEntry(Run& run, const tagPORTDEVSYSFILE& entry) {
    std::optional<std::string> sourceFile;
    if (IsFollowable(entry)) {
        sourceFile = common::JoinPath(run.sourceFolder, common::DropLeadingBackslash(entry.path));
    }
    if (!sourceFile) {
        ++run.copyErrors;  // refused like a failed copy
        return;
    }
    std::int32_t newer = 0;
    const int result =
        ReconcileSystemFile(sourceFile->c_str(), run.deviceFolder.c_str(), entry.path,
                            entry.versionCompare, &newer, entry.failIfExists);
    if (newer) ++run.missingOrNewer;
    if (result == kSourceMissing) ++run.missingOrNewer;
    if (result == kDeviceCopyFailed) ++run.copyErrors;
}

// False when the folder couldn't be made because the device has gone.
bool CreateFolderEntry(Run& run, const tagPORTDEVSYSFILE& entry) {
    if (!IsFollowable(entry)) return true;
    const auto folder =
        common::JoinPath(run.deviceFolder, common::DropLeadingBackslash(entry.path));
    if (!folder || CreateFolderPath(folder->c_str(), 1)) return true;
    return KPZPortableDeviceDetectionIsPresent(run.device.driveLetter) != 0;
}

// False when the tree failed and the device is gone.
bool UpdateWildcardEntry(Run& run, const tagPORTDEVSYSFILE& entry) {
    int result = kTreeCopyFailed;  // a refused entry fails like a tree
    if (IsFollowable(entry)) {
        const std::string_view relative = common::DropLeadingBackslash(entry.path);
        const auto pattern = common::JoinPath(run.sourceFolder, relative);
        // Without a folder part the tree goes into the device folder itself.
        const auto target = common::JoinPath(run.deviceFolder, common::FolderPart(relative));
        if (pattern && target) {
            CreateFolderPath(target->c_str(), 1);
            result = UpdateFolderTree(&run.device, pattern->c_str(), target->c_str(), run.callback);
        }
    }
    return result == kTreeCopied || KPZPortableDeviceDetectionIsPresent(run.device.driveLetter);
}

// False when the device is gone.
bool UpdateEntry(Run& run, const tagPORTDEVSYSFILE& entry) {
    const int kind = common::ClassifyEntryPath(entry.path);
    NotifyProgress(run.callback, run.device, UPGSTAT_STEP, run.totalSteps);
    switch (kind) {
        case common::kFileEntry:
            UpdateFileEntry(run, entry);
            return true;
        case common::kFolderEntry:
            return CreateFolderEntry(run, entry);
        case common::kWildcardEntry:
            return UpdateWildcardEntry(run, entry);
        default:
            return true;
    }
}

int ReportOutcome(Run& run, int showMessages, int showOnce) {
    if (run.missingOrNewer > 0) {
        if (!showMessages) {
            Notify(run.callback, run.device, UPGSTAT_FILES_NEWER);
            return 1;
        }
        if (showOnce && g_bNewerFilesMessageShown) return 0;
        const tagPORTDEVINFO& device = run.device;
        ShowSystemFilesMessage(
            NewerFilesMessageText(device.driveLetter, Text(device.desc.displayName)));
        g_bNewerFilesMessageShown = 1;
        return 0;
    }
    if (run.copyErrors > 0) {
        Notify(run.callback, run.device, UPGSTAT_ERRORS);
        if (!showMessages) return 1;
        const tagPORTDEVINFO& device = run.device;
        ShowSystemFilesMessage(
            CopyErrorMessageText(device.driveLetter, Text(device.desc.displayName)));
        return 0;
    }
    Notify(run.callback, run.device, UPGSTAT_FINISHED);
    return 1;
}

int UpdateSystemFiles(Run& run, const char* sourceRoot, int showMessages, int showOnce) {
    Notify(run.callback, run.device, UPGSTAT_SCANNING);
    if (!PrepareFolders(run, sourceRoot)) return 0;
    if (CountUpgradeSteps(&run.device, run.sourceFolder.c_str(), &run.totalSteps)) {
        NotifyProgress(run.callback, run.device, UPGSTAT_SET_RANGE, run.totalSteps);
    }
    // By index, with a copy of each entry: the callback gets the caller's own record.
    for (std::size_t i = 0; i < run.device.desc.systemFiles.size(); ++i) {
        const tagPORTDEVSYSFILE* listed = run.device.desc.systemFiles[i].get();
        if (!IsListedEntry(listed)) continue;
        const tagPORTDEVSYSFILE entry = *listed;
        if (!UpdateEntry(run, entry)) {
            Notify(run.callback, run.device, UPGSTAT_DEVICE_LOST);
            return 0;
        }
    }
    return ReportOutcome(run, showMessages, showOnce);
}

}  // namespace

int KPZPortableDeviceDetectionUpdateSystemFiles(tagPORTDEVINFO* pDevInfo, const char* pszSourceRoot,
                                                int bShowMessages, int bShowOnce,
                                                PFNUPGRADESTATUSCALLBACK pfnNotify) {
    if (pDevInfo == nullptr || pDevInfo->desc.hasSystemFiles == 0) return 0;
    if (pszSourceRoot == nullptr) return 0;
    try {
        Run run{*pDevInfo, pfnNotify};
        return UpdateSystemFiles(run, pszSourceRoot, bShowMessages, bShowOnce);
    } catch (...) {
        // Nothing the file layer, the memory or a callback throws crosses the library's edge.
        return 0;
    }
}
