// Bringing the folder tree that a wildcard entry names up to date on the device: every file
// is copied unless the device's copy is newer, sub-folders are created hidden.
#pragma once

#include "kpz/upgrade_status.h"

// Results as for CopyFolderTree (engine/folder_tree.h): 1 everything handled, -4 a file copy
// failed (or a target path was refused), 0 the pattern found nothing, -1 a missing argument,
// -2 an unexpected failure with the device present, -3 the device gone (code 6 sent).
// Sends UPGSTAT_STEP {0, 0, ""} for every file and folder found.
int UpdateFolderTree(tagPORTDEVINFO* device, const char* pattern, const char* targetFolder,
                     PFNUPGRADESTATUSCALLBACK callback);
