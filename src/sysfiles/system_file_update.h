// The library's own system-file update (KPZPortableDeviceDetectionUpdateSystemFiles, declared
// in kpz/detection.h) and its process-wide state.
#pragma once

// Set once the missing-or-newer message box has been shown; never cleared while the process
// runs (tests reset it).
extern int g_bNewerFilesMessageShown;
