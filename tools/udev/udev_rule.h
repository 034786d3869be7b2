// The udev rule that lets the user at the seat open the disks of supported players for the
// INQUIRY pages the utility reads (TAG+="uaccess"), made from a supported-devices database.
#pragma once

#include <string>
#include <vector>

namespace udevtool {

// The vendor identifications of the database's entries, each once, in file order, without
// their trailing blanks. False with `error` set when the database doesn't load.
bool DatabaseVendors(const std::string& hostPath, std::vector<std::string>& vendors,
                     std::string& error);

// One rule per vendor. A vendor udev cannot match exactly (empty, or holding a quote, a
// backslash, a pattern character or a control character) gets none and is put in `skipped`.
std::string UdevRules(const std::vector<std::string>& vendors, std::vector<std::string>& skipped);

}  // namespace udevtool
