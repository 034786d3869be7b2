// The device record as JSON, its keys the members' names (texts turned from the system code
// page into UTF-8 by the database tools' conversion, so db build reads what db dump prints).
#pragma once

#include "cli/output.h"
#include "kpz/portable_device.h"

namespace cli {

Json DescriptionJson(const tagPORTDEVDESC& desc);
// "driveLetter", a one-letter text, then the description's members.
Json DeviceJson(const tagPORTDEVINFO& device);

}  // namespace cli
