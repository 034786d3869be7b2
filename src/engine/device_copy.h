// Puts a file onto a device without ever losing the old copy: the new content goes to a
// temporary file in the target's folder first and replaces the old file only once it is
// complete and on the medium.
#pragma once

#include <string>

// True when `target` now holds a complete copy of `source`, under the name `target` gives it.
// With `failIfExists` an existing target is a failure (ERROR_FILE_EXISTS) and is left alone.
// A failure leaves the old target with its attributes; GetLastError() tells why.
//
// The temporary file has one of two fixed names. The device's folders mirror the
// installation's, so a file of such a name on the device is a copy that was cut off unless the
// installation ships a file of that name in the mirrored folder; then it is data, and the
// other name serves.
bool ReplaceDeviceFile(const char* source, const char* target, bool failIfExists);

// Removes the temporary files that cut-off copies (unplugged, killed, out of power) left in
// `deviceFolder` and every folder below it; `sourceFolder` is its mirror in the installation.
void RemoveLeftoverCopies(const std::string& deviceFolder, const std::string& sourceFolder);
