#include "cli/installation_folder.h"

#include <filesystem>

namespace cli {
namespace {

namespace fs = std::filesystem;

// Without the extension: the host names the program file as Windows would, with ".exe".
constexpr const char* kDesktopProgram = "KPZPortableDeviceSystemFileUpdater";

std::optional<fs::path> ProgramBesideThisOne() {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (error) return std::nullopt;
    for (const char* suffix : {"", ".exe"}) {
        const fs::path program = self.parent_path() / (std::string(kDesktopProgram) + suffix);
        if (fs::exists(program, error)) return program;
    }
    return std::nullopt;
}

}  // namespace

std::unique_ptr<platform::posix::HostSystem> HostWithInstallation(
    const std::optional<std::string>& folder, std::string& error) {
    auto host = std::make_unique<platform::posix::HostSystem>();
    if (folder) {
        std::error_code failure;
        const fs::path path = fs::absolute(*folder, failure);
        if (failure || !fs::is_directory(path, failure)) {
            error = "--install-folder " + *folder + ": not a folder";
            return nullptr;
        }
        host->SetProgramFile((path.lexically_normal() / kDesktopProgram).string());
    } else if (const auto program = ProgramBesideThisOne()) {
        host->SetProgramFile(program->string());
    }
    return host;
}

}  // namespace cli
