// Copying one file entry of a model's system-file list onto a device.
#pragma once

// Results of CopyFileToDevice.
enum : int {
    kFileCopied = 0,
    kFileSourceMissing = -2,
    kFileCopyFailed = -4,
};

// Copies `sourceFile` to `deviceFolder`\`entry` (the entry may begin with one backslash; its
// folders are created hidden, its file name is put in lower case). An entry that would leave
// the device folder is refused as a failed copy. A failed copy leaves the old file as it was.
int CopyFileToDevice(const char* sourceFile, const char* deviceFolder, const char* entry,
                     int failIfExists);
