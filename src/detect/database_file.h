// Loading the supported-devices database file into the process-wide list.
#pragma once

namespace detect {

// 1 when the file was accepted (also when fewer entries than announced could be read), with
// the list and the method counts set; 0 otherwise. A file rejected before its entries are
// reached leaves the previous list as it was.
int LoadSupportedDevices(const char* path);

}  // namespace detect
