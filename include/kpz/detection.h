// The exported interface of libkpzdetect: detect Zarn players and keep their files up to date.
#pragma once

#include "kpz/export.h"
#include "kpz/portable_device.h"
#include "kpz/upgrade_status.h"

// Loads the database at `databasePath`, walks the removable drives and calls `callback` once
// per identified player (the record lives only during the call). Returns the number of
// players, -1 when the callback stopped the scan, 0 when nothing could be scanned.
KPZ_EXPORT int KPZPortableDeviceDetectionEnumDevices(const char* databasePath,
                                                     PFNPORTDEVENUMCALLBACK callback,
                                                     long callerValue);
// The same; the conflict record is ignored.
KPZ_EXPORT int KPZPortableDeviceDetectionEnumDevices(const char* databasePath,
                                                     PFNPORTDEVENUMCALLBACK callback,
                                                     tagPORTDEVCONFLICTDIALOGINFO& conflict,
                                                     long callerValue);

// 1 while the drive's root can be reached and its free space queried, else 0.
KPZ_EXPORT int KPZPortableDeviceDetectionIsPresent(char driveLetter);

// Brings the player's system files up to date from `pszSourceRoot`\<product>\<system folder>.
KPZ_EXPORT int KPZPortableDeviceDetectionUpdateSystemFiles(tagPORTDEVINFO* pDevInfo,
                                                           const char* pszSourceRoot,
                                                           int bShowMessages, int bShowOnce,
                                                           PFNUPGRADESTATUSCALLBACK pfnNotify);

// Creates the model's enabled playlist folders below `pszRoot` (default: the drive root).
KPZ_EXPORT int KPZPortableDeviceDetectionVerifyPlaylistFolders(tagPORTDEVINFO* pDevInfo,
                                                               const char* pszRoot);
