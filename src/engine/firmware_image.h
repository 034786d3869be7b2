// The version header of a firmware image: the 128-byte block at byte 544 of "QDAV3180.mi4".
#pragma once

#include "platform/file.h"

// 1 when the header is valid and its five-character version (and a terminator) was stored in
// `version` (at least 6 characters), 0 otherwise; on 0 the buffer is left unchanged.
int ReadFirmwareVersion(platform::File& file, char* version);
