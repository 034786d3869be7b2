#include "platform/posix/mount_table.h"

#include <charconv>

namespace platform::posix {
namespace {

std::vector<std::string_view> SplitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t at = 0;
    while (at < line.size()) {
        const std::size_t end = line.find(' ', at);
        const std::size_t stop = end == std::string_view::npos ? line.size() : end;
        if (stop > at) fields.push_back(line.substr(at, stop - at));
        at = stop + 1;
    }
    return fields;
}

bool ParseNumber(std::string_view text, unsigned& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size();
}

bool ParseDevice(std::string_view field, MountEntry& entry) {
    const std::size_t colon = field.find(':');
    return colon != std::string_view::npos && ParseNumber(field.substr(0, colon), entry.major) &&
           ParseNumber(field.substr(colon + 1), entry.minor);
}

// "id parent major:minor root mountpoint options [optional...] - fstype source superoptions";
// the optional fields are many or none, so the lone "-" is looked for.
bool ParseLine(std::string_view line, MountEntry& entry) {
    const std::vector<std::string_view> fields = SplitFields(line);
    std::size_t separator = 6;
    while (separator < fields.size() && fields[separator] != "-") ++separator;
    if (separator + 2 >= fields.size() || !ParseDevice(fields[2], entry)) return false;
    entry.root = UnescapeMountField(fields[3]);
    entry.mountPoint = UnescapeMountField(fields[4]);
    entry.fsType = UnescapeMountField(fields[separator + 1]);
    entry.source = UnescapeMountField(fields[separator + 2]);
    return true;
}

bool IsOctal(char c) {
    return c >= '0' && c <= '7';
}

}  // namespace

std::string UnescapeMountField(std::string_view field) {
    std::string text;
    text.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && field[i + 1] >= '0' &&
            field[i + 1] <= '3' && IsOctal(field[i + 2]) && IsOctal(field[i + 3])) {
            text += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                      (field[i + 3] - '0'));
            i += 3;
        } else {
            text += field[i];
        }
    }
    return text;
}

std::vector<MountEntry> ParseMountInfo(std::string_view text) {
    std::vector<MountEntry> entries;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos) end = text.size();
        MountEntry entry;
        if (ParseLine(text.substr(at, end - at), entry)) entries.push_back(std::move(entry));
        at = end + 1;
    }
    return entries;
}

}  // namespace platform::posix
