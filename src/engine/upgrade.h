// The per-device upgrade procedure that the front end's worker runs.
#pragma once

#include <cstdint>

#include "kpz/upgrade_status.h"

// Brings the player's system files up to the installed copies below
// `applicationFolder`\<productId>\<system folder>. 1 when the whole list was worked through
// (the run ended with UPGSTAT_FINISHED or UPGSTAT_FILES_NEWER), 0 otherwise. `reportErrors`
// (may be null) is the front end's flag, cleared on the paths that already told the user.
int UpgradePortableDevice(const tagPORTDEVINFO* device, const char* applicationFolder,
                          PFNUPGRADESTATUSCALLBACK callback, int* reportErrors);

// 1 with the number of progress steps of a run in `count`.
int CountUpgradeSteps(const tagPORTDEVINFO* device, const char* sourceFolder, std::int32_t* count);

// 1 with the total size of the source files of all file entries in `size`.
int GetUpgradeFilesSize(const tagPORTDEVINFO* device, const char* sourceFolder,
                        std::uint64_t* size);
