#include "sysfiles/folder_tree_update.h"

#include <optional>
#include <string>

#include "engine/device_copy.h"
#include "engine/folder_operations.h"
#include "engine/folder_tree.h"
#include "engine/folder_tree_walk.h"
#include "kpz/detection.h"
#include "platform/file.h"
#include "platform/win32.h"
#include "sysfiles/status_notify.h"

using namespace win32;

namespace {

std::int64_t WholeSeconds(const FILETIME& time) {
    constexpr std::int64_t kEpochDifference = 11644473600LL;  // 1601 to 1970, in seconds
    const std::uint64_t ticks = (std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
    return static_cast<std::int64_t>(ticks / 10000000) - kEpochDifference;
}

// Whether the device's copy is replaced: unless it is newer than the source, to the second.
// None when the target couldn't be read and the device has gone.
std::optional<bool> ShouldCopy(char driveLetter, const WIN32_FIND_DATAA& item,
                               const std::string& target) {
    if (GetFileAttributesA(target.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
    try {
        platform::File file;
        if (file.Open(target.c_str(), platform::File::modeRead | platform::File::shareDenyWrite)) {
            return WholeSeconds(item.ftLastWriteTime) >= file.GetStatus().mtimeSeconds;
        }
    } catch (const platform::FileException&) {
    }
    if (KPZPortableDeviceDetectionIsPresent(driveLetter)) return true;
    return std::nullopt;
}

// The update copies a file unless the device holds a newer one; a folder it can't make is
// skipped with what lies below it.
class CopyUnlessNewer : public TreeFilePolicy {
  public:
    CopyUnlessNewer(tagPORTDEVINFO& device, PFNUPGRADESTATUSCALLBACK callback)
        : device_(device), callback_(callback) {}

    int HandleFile(const WIN32_FIND_DATAA& item, const std::string& source,
                   const std::string& target) override {
        ClearSourceAttributes(item, source);
        ClearReadOnlyHidden(target.c_str());
        const auto copy = ShouldCopy(device_.driveLetter, item, target);
        if (!copy) {
            sysfiles::Notify(callback_, device_, UPGSTAT_DEVICE_LOST);
            return kTreeDeviceGone;
        }
        if (*copy && !ReplaceDeviceFile(source.c_str(), target.c_str(), false)) {
            return kTreeCopyFailed;
        }
        return kTreeCopied;
    }
    bool FolderFailureCounts() const override { return false; }

  private:
    tagPORTDEVINFO& device_;
    PFNUPGRADESTATUSCALLBACK callback_;
};

}  // namespace

int UpdateFolderTree(tagPORTDEVINFO* device, const char* pattern, const char* targetFolder,
                     PFNUPGRADESTATUSCALLBACK callback) {
    if (device == nullptr) return kTreeMissingArgument;
    CopyUnlessNewer policy(*device, callback);
    return WalkFolderTree(*device, pattern, targetFolder, callback, policy);
}
