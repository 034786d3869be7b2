#include "platform/sim/machine_file_fields.h"

#include <limits>

#include "common/code_page.h"

namespace sim {
namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// INQUIRY strings are always blank-padded to their field width, in the system code page
// like the database's texts, so that the same name written in both matches.
std::string Padded(const json& value, std::size_t width, const std::string& key) {
    const auto bytes = common::Utf8ToCodePage(Text(value, key));
    if (!bytes) throw FileFault(key, "has a character that Windows-1252 lacks");
    std::string text = *bytes;
    if (text.size() > width) {
        throw FileFault(key, "longer than " + std::to_string(width) + " characters");
    }
    text.resize(width, ' ');
    return text;
}

}  // namespace

void CheckKeys(const json& object, const std::string& where, const std::set<std::string>& known) {
    if (!object.is_object()) throw FileFault(where, "expected an object");
    for (const auto& [key, value] : object.items()) {
        if (known.count(key) == 0)
            throw FileFault(where.empty() ? key : where + "." + key, "unknown key");
    }
}

const json* Member(const json& object, const char* key) {
    auto it = object.find(key);
    return it == object.end() ? nullptr : &*it;
}

std::string Text(const json& value, const std::string& key) {
    if (!value.is_string()) throw FileFault(key, "expected a text");
    return value.get<std::string>();
}

std::uint64_t Number(const json& value, const std::string& key) {
    if (!value.is_number_unsigned()) throw FileFault(key, "expected a whole number of 0 or more");
    return value.get<std::uint64_t>();
}

std::uint32_t Number32(const json& value, const std::string& key) {
    const std::uint64_t number = Number(value, key);
    if (number > std::numeric_limits<std::uint32_t>::max()) {
        throw FileFault(key, "expected a 32-bit number");
    }
    return static_cast<std::uint32_t>(number);
}

bool Flag(const json& value, const std::string& key) {
    if (!value.is_boolean()) throw FileFault(key, "expected true or false");
    return value.get<bool>();
}

std::vector<std::uint8_t> HexBytes(const std::string& text, const std::string& key) {
    if (text.size() % 2 != 0) throw FileFault(key, "expected an even number of hex digits");
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int high = HexDigit(text[i]);
        const int low = HexDigit(text[i + 1]);
        if (high < 0 || low < 0) throw FileFault(key, "expected hex digits");
        bytes.push_back(static_cast<std::uint8_t>(high << 4 | low));
    }
    return bytes;
}

Inquiry ReadInquiry(const json& object, const std::string& key) {
    CheckKeys(object, key, {"vendor", "product", "revision"});
    Inquiry inquiry;
    const json* vendor = Member(object, "vendor");
    const json* product = Member(object, "product");
    if (!vendor || !product) throw FileFault(key, "needs vendor and product");
    inquiry.vendor = Padded(*vendor, 8, key + ".vendor");
    inquiry.product = Padded(*product, 16, key + ".product");
    const json* revision = Member(object, "revision");
    inquiry.revision = revision ? Padded(*revision, 4, key + ".revision") : std::string(4, ' ');
    return inquiry;
}

}  // namespace sim
