// The status notifications every procedure that changes a player's files sends: one callback,
// one progress record, one set of codes. Shared by the library and the front end.
#pragma once

#include <cstdint>

#include "kpz/portable_device.h"

struct tagUPDATESYSFILEINFO {
    std::uint32_t dwPos = 0;
    std::uint32_t dwCount = 0;
    char szText[260] = {};
};

enum : std::uint32_t {
    UPGSTAT_SCANNING = 1,
    UPGSTAT_FINISHED = 2,
    UPGSTAT_CANCELED = 3,
    UPGSTAT_NO_FIRMWARE = 4,
    UPGSTAT_ABORTED = 5,
    UPGSTAT_DEVICE_LOST = 6,
    UPGSTAT_SET_POS = 7,
    UPGSTAT_SET_RANGE = 8,
    UPGSTAT_STEP = 9,
    UPGSTAT_FILES_NEWER = 10,
    UPGSTAT_ERRORS = 11,
    UPGSTAT_ADVANCE = 100,
};

// The record belongs to the sender and lives only during the call.
using PFNUPGRADESTATUSCALLBACK = void (*)(tagPORTDEVINFO& device, std::uint32_t code,
                                          tagUPDATESYSFILEINFO* info);
