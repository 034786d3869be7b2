// Reading the members of a JSON machine file: each reader names the key at fault.
#pragma once

#include <nlohmann/json.hpp>

#include <cstdint>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/sim/win9x_services.h"

namespace sim {

// A fault in the file, with the key it concerns.
struct FileFault : std::runtime_error {
    FileFault(const std::string& key, const std::string& what)
        : std::runtime_error(what), key(key) {}
    std::string key;
};

using nlohmann::json;

// `where` is the key of the object; every member must be one of `known`.
void CheckKeys(const json& object, const std::string& where, const std::set<std::string>& known);
const json* Member(const json& object, const char* key);
std::string Text(const json& value, const std::string& key);
std::uint64_t Number(const json& value, const std::string& key);
// A 32-bit value: a Win32 error code, a status word.
std::uint32_t Number32(const json& value, const std::string& key);
bool Flag(const json& value, const std::string& key);
std::vector<std::uint8_t> HexBytes(const std::string& text, const std::string& key);
Inquiry ReadInquiry(const json& object, const std::string& key);

}  // namespace sim
