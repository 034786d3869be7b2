#include "support/host_link.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <algorithm>
#include <string>
#else
#include <filesystem>
#endif

namespace test {

bool MakeHostFolderLink(const std::string& link, const std::string& target, std::string& why) {
#ifdef _WIN32
    std::string from = link, to = target;
    std::replace(from.begin(), from.end(), '/', '\\');
    std::replace(to.begin(), to.end(), '/', '\\');
    if (!::CreateSymbolicLinkA(from.c_str(), to.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY)) {
        why = "CreateSymbolicLinkA failed with error " + std::to_string(::GetLastError());
        return false;
    }
    // Wine 8 answers success and makes nothing.
    const DWORD attributes = ::GetFileAttributesA(from.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        return true;
    }
    why = "CreateSymbolicLinkA reported a link that is not there";
    return false;
#else
    std::error_code error;
    std::filesystem::create_directory_symlink(target, link, error);
    why = error.message();
    return !error;
#endif
}

}  // namespace test
