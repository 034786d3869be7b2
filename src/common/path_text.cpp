#include "common/path_text.h"

namespace common {
namespace {

std::optional<std::string> Bounded(std::string text) {
    if (text.size() > kMaxPathLength) return std::nullopt;
    return text;
}

}  // namespace

std::string_view DropLeadingBackslash(std::string_view text) {
    if (!text.empty() && text.front() == '\\') text.remove_prefix(1);
    return text;
}

std::optional<std::string> WithTrailingBackslash(std::string_view folder) {
    std::string text(folder);
    if (text.empty() || text.back() != '\\') text += '\\';
    return Bounded(std::move(text));
}

std::optional<std::string> JoinPath(std::string_view folder, std::string_view name) {
    std::string text(folder);
    if (text.empty() || text.back() != '\\') text += '\\';
    text += name;
    return Bounded(std::move(text));
}

std::string DriveRoot(char letter) {
    return std::string{letter, ':', '\\'};
}

std::optional<std::string> DeviceFolder(char letter, std::string_view systemFolder) {
    return Bounded(DriveRoot(letter) + std::string(DropLeadingBackslash(systemFolder)));
}

std::string_view FolderPart(std::string_view path) {
    const std::size_t slash = path.rfind('\\');
    return slash == std::string_view::npos ? std::string_view{} : path.substr(0, slash);
}

std::string_view NamePart(std::string_view path) {
    const std::size_t slash = path.rfind('\\');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool IsContainedRelativePath(std::string_view path) {
    path = DropLeadingBackslash(path);
    if (path.find(':') != std::string_view::npos) return false;
    if (!path.empty() && (path.front() == '\\' || path.front() == '/')) return false;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find_first_of("\\/", start);
        if (end == std::string_view::npos) end = path.size();
        std::string_view part = path.substr(start, end - start);
        // Windows drops trailing dots and blanks, so "..." and ".. " are ".." too.
        while (part.size() > 2 && (part.back() == '.' || part.back() == ' ')) part.remove_suffix(1);
        if (part == "..") return false;
        start = end + 1;
    }
    return true;
}

}  // namespace common
