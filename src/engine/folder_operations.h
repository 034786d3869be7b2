// Small file-system tests and the hidden folder path the upgrade procedures create on a device.
#pragma once

#include "platform/win32_types.h"

// 1 when every folder along `path` exists (created now or before), 0 on failure with the
// system error stored in `error` when given. With `markHidden`, every folder along it is hidden.
int CreateFolderPath(const char* path, int markHidden, win32::DWORD* error = nullptr);

// One folder (its parent must exist), created or already there, with the hidden attribute;
// false with the error stored in `error` when it can't be made. A failure to hide it is not
// a failure to make it.
bool CreateHiddenFolder(const char* path, win32::DWORD* error = nullptr);

// Adds the hidden attribute to what lies at `path` unless it has it.
void AddHiddenAttribute(const char* path);

// 1 when the path names a file or looks like a file name, 0 for a folder or a folder name.
int PathLooksLikeFile(const char* path);

// 1 when the path is not empty and something exists at it.
int FileExists(const char* path);

// 1 when the read-only and hidden attributes of what lies at `path` were cleared.
int ClearReadOnlyHidden(const char* path);
