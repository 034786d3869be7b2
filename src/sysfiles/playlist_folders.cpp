// KPZPortableDeviceDetectionVerifyPlaylistFolders: the model's playlist folders on a player.
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "common/path_text.h"
#include "kpz/detection.h"
#include "platform/win32.h"

namespace {

template <std::size_t N>
std::string_view Text(const char (&member)[N]) {
    return std::string_view(member, strnlen(member, N));
}

// Creates the last level of root\name (nothing else, no attributes changed); true when the
// folder exists afterwards. A name that would leave the root is never followed.
bool CreatePlaylistFolder(const std::string& root, std::string_view name) {
    const std::string_view relative = common::DropLeadingBackslash(name);
    if (relative.empty() || !common::IsContainedRelativePath(name)) return false;
    const auto path = common::JoinPath(root, relative);
    if (!path) return false;
    return win32::CreateDirectoryA(path->c_str(), nullptr) ||
           win32::GetLastError() == win32::ERROR_ALREADY_EXISTS;
}

}  // namespace

int KPZPortableDeviceDetectionVerifyPlaylistFolders(tagPORTDEVINFO* pDevInfo, const char* pszRoot) {
    if (pDevInfo == nullptr) return 0;
    const std::string given =
        pszRoot != nullptr ? std::string(pszRoot) : common::DriveRoot(pDevInfo->driveLetter);
    const std::string root = common::WithTrailingBackslash(given).value_or(std::string());
    const tagPORTDEVDESC& desc = pDevInfo->desc;
    const struct {
        std::uint32_t enabled;
        std::string_view name;
    } folders[] = {
        {desc.playlistFolder1Enabled, Text(desc.playlistFolder1Name)},
        {desc.playlistFolder2Enabled, Text(desc.playlistFolder2Name)},
        {desc.playlistFolder3Enabled, Text(desc.playlistFolder3Name)},
    };
    bool failed = false;
    for (const auto& folder : folders) {
        // Every enabled folder is tried, whatever happened to the ones before.
        if (folder.enabled && (root.empty() || !CreatePlaylistFolder(root, folder.name))) {
            failed = true;
        }
    }
    return failed ? 0 : 1;
}
