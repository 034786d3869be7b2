// Status notifications as JSON: {"code":9,"name":"UPGSTAT_STEP","record":{...}}.
#pragma once

#include "cli/output.h"

#include <cstdint>

#include "kpz/upgrade_status.h"

namespace cli {

// The code's name, or null for a code that has none.
Json StatusCodeName(std::uint32_t code);
Json StatusEvent(std::uint32_t code, const tagUPDATESYSFILEINFO* info);

}  // namespace cli
