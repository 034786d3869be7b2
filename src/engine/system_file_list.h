// How the upgrade procedures read a model's system-file list.
#pragma once

#include "kpz/portable_device.h"

// A list entry that takes part in a run: not null and with a path (an empty path is skipped
// like a null entry, so the step count always equals the steps sent).
inline bool IsListedEntry(const tagPORTDEVSYSFILE* entry) {
    return entry != nullptr && entry->path[0] != '\0';
}
