#include "sysfile/header_writer.h"

#include <algorithm>

namespace sftool {
namespace {

bool PutText(Bytes& header, std::size_t offset, std::size_t width, const std::string& text,
             const char* what, std::string& error) {
    if (text.size() > width) {
        error = std::string(what) + " \"" + text + "\" is longer than " + std::to_string(width) +
                " characters";
        return false;
    }
    std::copy(text.begin(), text.end(), header.begin() + static_cast<std::ptrdiff_t>(offset));
    return true;
}

}  // namespace

bool MakeSysFileHeader(const HeaderFields& fields, Bytes& header, std::string& error) {
    header.assign(kHeaderSize, static_cast<std::uint8_t>(fields.fill));
    std::copy(fields.lead.begin(), fields.lead.end(), header.begin());
    if (fields.namePadding + fields.name.size() > 12) {
        error = "name \"" + fields.name + "\" and its padding are longer than 12 characters";
        return false;
    }
    if (!PutText(header, 4 + fields.namePadding, 12 - fields.namePadding, fields.name, "name",
                 error) ||
        !PutText(header, 16, 16, fields.longText, "16-character text", error) ||
        !PutText(header, 32, 8, fields.shortText, "8-character text", error) ||
        !PutText(header, 40, 8, fields.version, "version", error) ||
        !PutText(header, 48, 8, fields.tag, "tag", error)) {
        return false;
    }
    std::copy(fields.field56.begin(), fields.field56.end(), header.begin() + 56);
    std::copy(fields.field60.begin(), fields.field60.end(), header.begin() + 60);
    return true;
}

}  // namespace sftool
