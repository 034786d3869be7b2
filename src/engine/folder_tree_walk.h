// The walk of a wildcard entry's folder tree that both the upgrade's copy and the system-file
// update make: every file and folder the pattern finds, in the search's order, folders made
// hidden on the device and walked one level down with the same name pattern.
#pragma once

#include <string>

#include "kpz/upgrade_status.h"
#include "platform/win32_types.h"

// What a walk does with each file it finds.
class TreeFilePolicy {
  public:
    virtual ~TreeFilePolicy() = default;
    // Handles one file: kTreeCopied, kTreeCopyFailed (counted; the walk goes on) or
    // kTreeDeviceGone (the walk ends; the policy has already sent the device-lost code).
    virtual int HandleFile(const win32::WIN32_FIND_DATAA& item, const std::string& source,
                           const std::string& target) = 0;
    // Whether a folder that can't be made on the device counts as a failure of the walk (else
    // it is skipped with what lies below it).
    virtual bool FolderFailureCounts() const = 0;
};

// Results as CopyFolderTree's (engine/folder_tree.h). Sends UPGSTAT_STEP {0, 0, ""} for every
// file and folder found.
int WalkFolderTree(tagPORTDEVINFO& device, const char* pattern, const char* targetFolder,
                   PFNUPGRADESTATUSCALLBACK callback, TreeFilePolicy& policy);

// Clears read-only and hidden on a source file the search found, where it has either (the
// search record tells, so a file without them is not touched twice).
void ClearSourceAttributes(const win32::WIN32_FIND_DATAA& item, const std::string& source);
