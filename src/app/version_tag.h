// The version tag of the firmware program "kvq.exe": the 8-byte version field at byte 40 of
// its 64-byte header, kept as text.
#pragma once

#include "platform/file.h"

// 1 when a tag beginning with "v" or "V" was read and copied (at most 8 characters and a
// terminator) to `version`, 0 otherwise; on 0 the output is left untouched.
int ReadVersionTag(platform::File& file, char* version);
