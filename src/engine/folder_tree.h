// Copying and counting everything a wildcard pattern finds in a folder tree.
#pragma once

#include <cstdint>
#include <string>

#include "kpz/upgrade_status.h"

// Results of CopyFolderTree.
enum : int {
    kTreeCopied = 1,
    kTreeNothingFound = 0,
    kTreeMissingArgument = -1,
    kTreeFailedDevicePresent = -2,
    kTreeDeviceGone = -3,
    kTreeCopyFailed = -4,
};

// Copies what `pattern` ("folder\name-pattern") finds into `targetFolder`, sub-folders with
// the same name pattern one level down; sends UPGSTAT_STEP per file and folder found.
int CopyFolderTree(const tagPORTDEVINFO* device, const char* pattern, const char* targetFolder,
                   PFNUPGRADESTATUSCALLBACK callback);

// 1 with the number of files and folders the same walk finds, or 0.
int CountFolderTree(const char* pattern, std::int32_t* count);

// The pattern one folder down: "a\b\*.x" and "Sub" give "a\b\Sub\*.x". False when the
// pattern holds no backslash or the result would be too long.
bool SubPattern(const char* pattern, const char* folderName, std::string& out);
