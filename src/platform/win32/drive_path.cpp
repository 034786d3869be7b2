#include "platform/win32/drive_path.h"

#include <algorithm>
#include <vector>

#include "platform/win32.h"
#include "platform/win32/windows_api.h"
#include "platform/windows_path.h"

namespace platform::windows {
namespace {

bool Fail(DWORD error) {
    win32::SetLastError(error);
    return false;
}

// "\\?\" and the absolute form of a host folder, without a trailing separator.
std::wstring LiteralHostPath(const std::string& folder) {
    std::wstring text = WideFromCodePage(folder);
    std::replace(text.begin(), text.end(), L'/', L'\\');
    const DWORD needed = ::GetFullPathNameW(text.c_str(), 0, nullptr, nullptr);
    if (needed > 0) {
        std::wstring full(needed, L'\0');
        const DWORD size = ::GetFullPathNameW(text.c_str(), needed, full.data(), nullptr);
        if (size > 0 && size < needed) text = full.substr(0, size);
    }
    while (!text.empty() && text.back() == L'\\') text.pop_back();
    if (text.rfind(L"\\\\?\\", 0) == 0) return text;
    if (text.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + text.substr(2);
    return L"\\\\?\\" + text;
}

// A reparse point anywhere on the way (the drive's folder itself excepted, it is the
// machine's own configuration) refuses the path; the first missing name ends the look.
bool PassesNoReparsePoint(std::wstring path, const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        path += L'\\' + WideFromCodePage(name);
        const DWORD attributes = ::GetFileAttributesW(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) return true;
        if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return false;
    }
    return true;
}

}  // namespace

std::wstring WideFromCodePage(const std::string& text) {
    if (text.empty()) return {};
    const int size =
        ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

std::string CodePageFromWide(const std::wstring& text) {
    if (text.empty()) return {};
    BOOL lossy = FALSE;
    const int size =
        ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(),
                              static_cast<int>(text.size()), nullptr, 0, nullptr, &lossy);
    std::string narrow(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                          narrow.data(), size, nullptr, &lossy);
    return lossy ? std::string() : narrow;
}

bool MapDrivePath(DriveMap& drives, const char* path, bool pattern, DrivePath& out) {
    WindowsPath parsed;
    const DWORD error = ParseWindowsPath(path, drives.CurrentDirectory(), pattern, parsed);
    if (error != ERROR_SUCCESS) return Fail(error);
    std::string hostRoot;
    if (!drives.EnterDrive(parsed.drive, hostRoot)) return false;
    // No pattern at all: the root, or a folder's name with a separator after it.
    if (pattern && (parsed.components.empty() || parsed.trailingSeparator)) {
        return Fail(ERROR_FILE_NOT_FOUND);
    }

    std::wstring host = LiteralHostPath(hostRoot);
    std::vector<std::string> looked(parsed.components.begin(), parsed.components.end());
    if (pattern) looked.pop_back();
    if (!PassesNoReparsePoint(host, looked)) return Fail(ERROR_ACCESS_DENIED);

    out.drive = parsed.drive;
    out.isRoot = looked.empty();
    for (const std::string& name : parsed.components) host += L'\\' + WideFromCodePage(name);
    // A drive's root names itself with its separator ("\\?\C:\"), a folder's root too; a
    // separator after a name goes along, for Windows to tell a file's name from a folder's.
    if (parsed.components.empty() || parsed.trailingSeparator) host += L'\\';
    out.host = std::move(host);
    return true;
}

}  // namespace platform::windows
