#include "database/storable_description.h"

#include "detect/database_format.h"

namespace dbtool {
namespace {

std::string KeyFault(const std::string& key, const std::string& what) {
    return "key \"" + key + "\": " + what;
}

bool CheckLength(const std::string& text, std::size_t kept, const std::string& key,
                 std::string& error) {
    if (text.size() <= kept) return true;
    error = KeyFault(key, std::to_string(text.size()) + " bytes, longer than the " +
                              std::to_string(kept) + " a database entry keeps");
    return false;
}

bool CheckSystemFiles(const Description& d, const std::string& prefix, std::string& error) {
    if (d.hasSystemFiles == 0) {
        const char* given = !d.systemFolder.empty()  ? "systemFolder"
                            : !d.systemFiles.empty() ? "systemFiles"
                                                     : nullptr;
        if (!given) return true;
        error = KeyFault(prefix + given, "given with hasSystemFiles 0, which stores none");
        return false;
    }
    if (!CheckLength(d.systemFolder, detect::kKeptSystemPath, prefix + "systemFolder", error)) {
        return false;
    }
    for (std::size_t i = 0; i < d.systemFiles.size(); ++i) {
        const std::string key = prefix + "systemFiles[" + std::to_string(i) + "].path";
        if (!CheckLength(d.systemFiles[i].path, detect::kKeptSystemPath, key, error)) return false;
    }
    return true;
}

bool CheckPlaylistFolder(int folder, std::uint32_t enabled, const std::string& name,
                         const std::string& prefix, std::string& error) {
    const std::string key = prefix + "playlistFolder" + std::to_string(folder);
    if (enabled == 0 && !name.empty()) {
        error = KeyFault(key + "Name", "given with " + key.substr(prefix.size()) +
                                           "Enabled 0, which stores no name");
        return false;
    }
    return CheckLength(name, detect::kKeptPlaylistName, key + "Name", error);
}

}  // namespace

bool CheckStorable(const Description& d, const std::string& prefix, std::string& error) {
    return CheckLength(d.vendorId, detect::kKeptVendorId, prefix + "vendorId", error) &&
           CheckLength(d.productId, detect::kKeptProductId, prefix + "productId", error) &&
           CheckLength(d.displayName, detect::kKeptDisplayName, prefix + "displayName", error) &&
           CheckSystemFiles(d, prefix, error) &&
           CheckPlaylistFolder(1, d.playlistFolder1Enabled, d.playlistFolder1Name, prefix, error) &&
           CheckPlaylistFolder(2, d.playlistFolder2Enabled, d.playlistFolder2Name, prefix, error) &&
           CheckPlaylistFolder(3, d.playlistFolder3Enabled, d.playlistFolder3Name, prefix, error);
}

}  // namespace dbtool
