#include "database/description_json.h"

#include <limits>
#include <set>
#include <stdexcept>

#include "common/code_page.h"
#include "database/storable_description.h"

namespace dbtool {
namespace {

using nlohmann::json;

// A fault in a description, with the key it concerns.
struct KeyFault : std::runtime_error {
    KeyFault(std::string key, const std::string& what)
        : std::runtime_error(what), key(std::move(key)) {}
    std::string key;
};

// Every member, in the record's order, bound to its place in a description.
template <typename Visitor>
void VisitMembers(Description& d, Visitor&& visit) {
    visit("vendorId", d.vendorId);
    visit("productId", d.productId);
    visit("displayName", d.displayName);
    visit("identMethod", d.identMethod);
    visit("optionValue1", d.optionValue1);
    visit("optionFlag1", d.optionFlag1);
    visit("optionFlag2", d.optionFlag2);
    visit("optionFlag3", d.optionFlag3);
    visit("queryStateFlag", d.queryStateFlag);
    visit("deviceState", d.deviceState);
    visit("querySerialFlag", d.querySerialFlag);
    visit("serialNumber", d.serialNumber);
    visit("hasSystemFiles", d.hasSystemFiles);
    visit("systemFolder", d.systemFolder);
    visit("systemFiles", d.systemFiles);
    visit("optionValue2", d.optionValue2);
    visit("playlistFolder1Enabled", d.playlistFolder1Enabled);
    visit("playlistFolder1Value", d.playlistFolder1Value);
    visit("playlistFolder1Name", d.playlistFolder1Name);
    visit("firmwareHeaderFlag", d.firmwareHeaderFlag);
    visit("optionValue3", d.optionValue3);
    visit("optionValue4", d.optionValue4);
    visit("playlistFolder2Enabled", d.playlistFolder2Enabled);
    visit("playlistFolder2Value", d.playlistFolder2Value);
    visit("playlistFolder2Name", d.playlistFolder2Name);
    visit("playlistFolder3Enabled", d.playlistFolder3Enabled);
    visit("playlistFolder3Value", d.playlistFolder3Value);
    visit("playlistFolder3Name", d.playlistFolder3Name);
}

// To JSON.
json Value(const std::string& text) {
    return common::CodePageToUtf8(text);
}
json Value(std::uint8_t number) {
    return number;
}
json Value(std::uint32_t number) {
    return number;
}
json Value(std::int32_t number) {
    return number;
}
json Value(const std::vector<SystemFile>& files) {
    json array = json::array();
    for (const SystemFile& file : files) {
        array.push_back({{"path", Value(file.path)},
                         {"versionCompare", file.versionCompare},
                         {"failIfExists", file.failIfExists}});
    }
    return array;
}

// From JSON.
void CheckKeys(const json& object, const std::string& where, const std::set<std::string>& known) {
    if (!object.is_object()) throw KeyFault(where, "expected an object");
    for (const auto& [key, value] : object.items()) {
        if (known.count(key) == 0) throw KeyFault(where + key, "unknown key");
    }
}

template <typename Number>
Number WholeNumber(const json& value, const std::string& key) {
    constexpr auto low = std::numeric_limits<Number>::min();
    constexpr auto high = std::numeric_limits<Number>::max();
    const std::string range = std::to_string(low) + " to " + std::to_string(high);
    if (!value.is_number_integer()) throw KeyFault(key, "expected a whole number from " + range);
    const bool outside = value.is_number_unsigned()
                             ? value.get<std::uint64_t>() > std::uint64_t(high)
                             : value.get<std::int64_t>() < std::int64_t(low) ||
                                   value.get<std::int64_t>() > std::int64_t(high);
    if (outside) {
        throw KeyFault(key, "out of range " + range);
    }
    return static_cast<Number>(value.get<std::int64_t>());
}

void Read(const json& value, const std::string& key, std::string& text) {
    if (!value.is_string()) throw KeyFault(key, "expected a text");
    auto bytes = common::Utf8ToCodePage(value.get_ref<const std::string&>());
    if (!bytes) throw KeyFault(key, "holds a character outside the Windows-1252 code page");
    text = std::move(*bytes);
}
void Read(const json& value, const std::string& key, std::uint8_t& number) {
    number = WholeNumber<std::uint8_t>(value, key);
}
void Read(const json& value, const std::string& key, std::uint32_t& number) {
    number = WholeNumber<std::uint32_t>(value, key);
}
void Read(const json& value, const std::string& key, std::int32_t& number) {
    number = WholeNumber<std::int32_t>(value, key);
}
void Read(const json& value, const std::string& key, std::vector<SystemFile>& files) {
    if (!value.is_array()) throw KeyFault(key, "expected an array");
    files.clear();
    for (std::size_t i = 0; i < value.size(); ++i) {
        const std::string where = key + "[" + std::to_string(i) + "].";
        CheckKeys(value[i], where, {"path", "versionCompare", "failIfExists"});
        SystemFile file;
        const json& entry = value[i];
        if (entry.contains("path")) Read(entry["path"], where + "path", file.path);
        if (entry.contains("versionCompare")) {
            Read(entry["versionCompare"], where + "versionCompare", file.versionCompare);
        }
        if (entry.contains("failIfExists")) {
            Read(entry["failIfExists"], where + "failIfExists", file.failIfExists);
        }
        files.push_back(std::move(file));
    }
}

void ReadDescription(const json& object, const std::string& where, Description& description) {
    std::set<std::string> known;
    VisitMembers(description, [&](const char* key, auto&) { known.insert(key); });
    CheckKeys(object, where, known);
    Description read;
    VisitMembers(read, [&](const char* key, auto& member) {
        if (object.contains(key)) Read(object[key], where + key, member);
    });
    description = std::move(read);
}

std::string Message(const KeyFault& fault) {
    if (fault.key.empty()) return fault.what();
    std::string key = fault.key;
    if (key.back() == '.') key.pop_back();
    return "key \"" + key + "\": " + fault.what();
}

}  // namespace

json DescriptionToJson(const Description& description) {
    json object = json::object();
    Description copy = description;
    VisitMembers(copy, [&](const char* key, const auto& member) { object[key] = Value(member); });
    return object;
}

json RecordToJson(const tagPORTDEVDESC& record) {
    return DescriptionToJson(FromRecord(record));
}

bool DescriptionFromJson(const json& object, Description& description, std::string& error) {
    try {
        ReadDescription(object, "", description);
        return true;
    } catch (const KeyFault& fault) {
        error = Message(fault);
        return false;
    }
}

bool DescriptionsFromJson(const json& array, std::vector<Description>& descriptions,
                          std::string& error) {
    if (!array.is_array()) {
        error = "expected an array of device descriptions";
        return false;
    }
    std::vector<Description> read(array.size());
    try {
        for (std::size_t i = 0; i < array.size(); ++i) {
            ReadDescription(array[i], "[" + std::to_string(i) + "].", read[i]);
        }
    } catch (const KeyFault& fault) {
        error = Message(fault);
        return false;
    }
    descriptions = std::move(read);
    return true;
}

bool DatabaseFromJson(const json& array, FormatVersion version, std::string& bytes,
                      std::string& error) {
    std::vector<Description> descriptions;
    if (!DescriptionsFromJson(array, descriptions, error)) return false;
    for (std::size_t i = 0; i < descriptions.size(); ++i) {
        if (!CheckStorable(descriptions[i], "[" + std::to_string(i) + "].", error)) return false;
    }
    DatabaseWriter writer(version);
    for (const Description& description : descriptions) writer.Entry(description);
    bytes = writer.Bytes();
    return true;
}

}  // namespace dbtool
