#include "app/installation.h"

#include "common/path_text.h"
#include "common/text_trim.h"
#include "platform/win32.h"

std::optional<std::string> GetApplicationFolder() {
    char buffer[win32::MAX_PATH] = {};
    const win32::DWORD length = win32::GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    if (length == 0) return std::nullopt;
    std::string path(buffer);
    std::string name(kProgramFileName);
    platform::ToLowerAscii(path);
    platform::ToLowerAscii(name);
    const std::size_t found = path.find(name);
    if (found == std::string::npos) return std::nullopt;
    return path.substr(0, found);
}

std::optional<std::string> InstalledFilePath(const std::string& folder, const tagPORTDEVDESC& desc,
                                             const char* entryPath) {
    auto product = common::JoinPath(folder, desc.productId);
    if (!product) return std::nullopt;
    common::TrimTrailingSpace(*product);
    auto system = common::JoinPath(*product, common::DropLeadingBackslash(desc.systemFolder));
    if (!system) return std::nullopt;
    auto base = common::WithTrailingBackslash(*system);
    if (!base) return std::nullopt;
    return common::JoinPath(*base, common::DropLeadingBackslash(entryPath));
}

std::optional<std::string> DeviceFilePath(char driveLetter, const tagPORTDEVDESC& desc,
                                          const char* entryPath) {
    auto folder = common::DeviceFolder(driveLetter, desc.systemFolder);
    if (!folder) return std::nullopt;
    auto base = common::WithTrailingBackslash(*folder);
    if (!base) return std::nullopt;
    return common::JoinPath(*base, common::DropLeadingBackslash(entryPath));
}
