// A database file written whole or not at all.
#pragma once

#include <string>

namespace dbtool {

// Writes `bytes` to a temporary file beside `hostPath` and renames it over `hostPath`, so a
// failed write leaves whatever was there. False with `error` naming the file.
bool WriteDatabaseFile(const std::string& hostPath, const std::string& bytes, std::string& error);

}  // namespace dbtool
