#include "engine/upgrade_paths.h"

#include "common/path_text.h"
#include "common/text_trim.h"

namespace {

// The product names one folder of the installation, never a way out of it.
bool IsPlainFolderName(std::string_view name) {
    return name.find_first_of(":\\/") == std::string_view::npos &&
           common::IsContainedRelativePath(name);
}

}  // namespace

std::optional<std::string> UpgradeDeviceFolder(const tagPORTDEVINFO& device) {
    if (!common::IsContainedRelativePath(device.desc.systemFolder)) return std::nullopt;
    return common::DeviceFolder(device.driveLetter, device.desc.systemFolder);
}

std::optional<std::string> UpgradeSourceFolder(const char* applicationFolder,
                                               const tagPORTDEVDESC& desc) {
    if (applicationFolder == nullptr || !IsPlainFolderName(desc.productId) ||
        !common::IsContainedRelativePath(desc.systemFolder)) {
        return std::nullopt;
    }
    auto product = common::JoinPath(applicationFolder, desc.productId);
    if (!product) return std::nullopt;
    common::TrimTrailingSpace(*product);
    return common::JoinPath(*product, common::DropLeadingBackslash(desc.systemFolder));
}
