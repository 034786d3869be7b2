// The installation folder and the layout of the files in it.
#pragma once

#include <optional>
#include <string>

#include "kpz/portable_device.h"

inline constexpr const char* kProgramFileName = "KPZPortableDeviceSystemFileUpdater.exe";
inline constexpr const char* kDatabaseFileName = "KPZSupportedPortableDevices.bin";
inline constexpr const char* kFirmwareImageName = "QDAV3180.mi4";
inline constexpr const char* kFirmwareProgramName = "kvq.exe";

// The folder of the running program, lower-cased and ending in a backslash; none when the
// program file is not named kProgramFileName (in any letter case).
std::optional<std::string> GetApplicationFolder();

// <folder>\<productId, trailing blanks cut>\<systemFolder>\<entry>; none when too long.
std::optional<std::string> InstalledFilePath(const std::string& folder, const tagPORTDEVDESC& desc,
                                             const char* entryPath);

// <drive>:\<systemFolder>\<entry>; none when too long.
std::optional<std::string> DeviceFilePath(char driveLetter, const tagPORTDEVDESC& desc,
                                          const char* entryPath);
