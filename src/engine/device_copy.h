// Puts a file onto a device without ever losing the old copy: the new content goes to a
// temporary sibling first and replaces the old file only when it is complete.
#pragma once

// True when `target` now holds a copy of `source`. With `failIfExists` an existing target
// is a failure (ERROR_FILE_EXISTS) and is left alone. A failure leaves the old target as it
// was and no temporary file; GetLastError() tells why.
bool ReplaceDeviceFile(const char* source, const char* target, bool failIfExists);
