// Device descriptions as JSON: one object per tagPORTDEVDESC whose keys are exactly the
// record's member names; "systemFiles" is an array of {path, versionCompare, failIfExists}.
// Used by the command line's detect and db commands and by the demo.
#pragma once

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "database/database_writer.h"
#include "database/description.h"

namespace dbtool {

nlohmann::json DescriptionToJson(const Description& description);
nlohmann::json RecordToJson(const tagPORTDEVDESC& record);

// False with `error` naming the key at fault: an unknown key, a value of the wrong kind or
// out of range, a text the code page cannot hold. Missing keys take the record's defaults.
bool DescriptionFromJson(const nlohmann::json& object, Description& description,
                         std::string& error);
// An array of such objects; an error names the entry ("[2].vendorId").
bool DescriptionsFromJson(const nlohmann::json& array, std::vector<Description>& descriptions,
                          std::string& error);

// The database file of the array's entries in the given version; false with `error` when
// an entry gives what the file would not keep (CheckStorable).
bool DatabaseFromJson(const nlohmann::json& array, FormatVersion version, std::string& bytes,
                      std::string& error);

}  // namespace dbtool
