// Whether a database file keeps all of a description: what an entry would silently lose is
// refused instead, so a database is never built short of what its description says.
#pragma once

#include <string>

#include "database/description.h"

namespace dbtool {

// False with `error` naming the key at fault ("<prefix>systemFolder: ..."): system files
// given with hasSystemFiles 0, a playlist folder's name given while the folder is disabled,
// a text longer than the reader keeps.
bool CheckStorable(const Description& description, const std::string& prefix, std::string& error);

}  // namespace dbtool
