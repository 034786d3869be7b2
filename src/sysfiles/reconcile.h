// Reconciling one file entry's copy on the computer with the copy on the device: the newer
// copy wins, by the files' version headers or by their last-write times.
#pragma once

#include <cstdint>

enum : int {
    kReconcileNoArguments = 1,  // a missing source file path, device folder or entry
    kReconciled = 0,            // copied, left alone, or the computer's copy rebuilt
    kDeviceNewer = -1,          // the device's version is newer and couldn't be carried back
    kSourceMissing = -2,        // the computer lacks the file and it couldn't be rebuilt
    kDeviceCopyFailed = -4,     // the copy onto the device failed, or the entry was refused
};

// `newerFlag` (may be null) is set to 0, and to 1 when the device holds a newer version that
// couldn't be carried back. An entry that would leave the device folder, or a path over 259
// characters, is refused with kDeviceCopyFailed before anything is touched.
int ReconcileSystemFile(const char* sourceFile, const char* deviceFolder, const char* entryPath,
                        std::uint32_t versionCompare, std::int32_t* newerFlag,
                        std::uint32_t failIfExists);
