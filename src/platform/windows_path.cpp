#include "platform/windows_path.h"

#include <algorithm>
#include <cstring>

#include "platform/ascii.h"

namespace platform {
namespace {

bool IsInvalidNameChar(char c, bool allowWildcards) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 32) return true;
    if (c == '*' || c == '?') return !allowWildcards;
    return std::strchr("<>:\"|", c) != nullptr;
}

// Windows' own reading of a name: the last name of a path loses every dot and blank it ends
// with ("name. ." is "name"); a folder's name on the way loses one dot ("dir.\x" is "dir\x")
// and keeps its blanks.
std::string Normalized(const std::string& name, bool last) {
    std::size_t end = name.size();
    if (!last) return name.back() == '.' ? name.substr(0, end - 1) : name;
    while (end > 0 && (name[end - 1] == '.' || name[end - 1] == ' ')) --end;
    return name.substr(0, end);
}

bool OnlyDots(const std::string& name) {
    return name.find_first_not_of('.') == std::string::npos;
}

win32::DWORD AddComponent(std::string name, bool last, bool wildcardLast, WindowsPath& out) {
    if (name.empty() || name == ".") return win32::ERROR_SUCCESS;
    if (name == "..") {
        if (!out.components.empty()) out.components.pop_back();  // clamped at the root
        return win32::ERROR_SUCCESS;
    }
    const bool wildcards = last && wildcardLast;
    if (!wildcards) name = Normalized(name, last);
    if (name.empty() && last && !wildcards) return win32::ERROR_SUCCESS;  // "dir\. ." is "dir"
    // Dots alone on the way ("...\" would be ".."): never a name here.
    if (name.empty() || (!wildcards && OnlyDots(name))) return win32::ERROR_INVALID_NAME;
    for (char c : name) {
        if (IsInvalidNameChar(c, wildcards)) return win32::ERROR_INVALID_NAME;
    }
    out.components.push_back(std::move(name));
    return win32::ERROR_SUCCESS;
}

win32::DWORD SplitInto(const std::string& text, bool wildcardLast, WindowsPath& out) {
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\\', start);
        const bool last = end == std::string::npos;
        if (last) end = text.size();
        const win32::DWORD error =
            AddComponent(text.substr(start, end - start), last, wildcardLast, out);
        if (error != win32::ERROR_SUCCESS) return error;
        start = end + 1;
    }
    out.trailingSeparator = !text.empty() && text.back() == '\\' && !out.components.empty();
    return win32::ERROR_SUCCESS;
}

bool HasDrive(const std::string& text) {
    return text.size() >= 2 && text[1] == ':' && platform::IsAsciiLetter(text[0]);
}

}  // namespace

win32::DWORD ParseWindowsPath(const char* path, const std::string& currentDirectory,
                              bool wildcardLast, WindowsPath& out) {
    out = WindowsPath{};
    if (path == nullptr || *path == '\0') return win32::ERROR_PATH_NOT_FOUND;
    if (std::strlen(path) >= win32::MAX_PATH) return win32::ERROR_FILENAME_EXCED_RANGE;
    std::string text(path);
    std::replace(text.begin(), text.end(), '/', '\\');
    if (text.rfind("\\\\", 0) == 0) return win32::ERROR_BAD_PATHNAME;  // UNC and devices

    std::string rest;
    if (HasDrive(text)) {
        out.drive = platform::ToUpperAscii(text[0]);
        rest = text.substr(2);
    } else if (HasDrive(currentDirectory)) {
        out.drive = platform::ToUpperAscii(currentDirectory[0]);
        rest = text[0] == '\\' ? text : currentDirectory.substr(2) + "\\" + text;
    } else {
        return win32::ERROR_PATH_NOT_FOUND;
    }
    return SplitInto(rest, wildcardLast, out);
}

}  // namespace platform
