#include "support/references.h"

#include "support/processes.h"

namespace bench {
namespace {

constexpr std::size_t kNamesPerSync = 1000;

}  // namespace

Usage CopyWithCp(const std::filesystem::path& source, const std::filesystem::path& target) {
    std::vector<std::string> argv{"cp"};
    if (std::filesystem::is_directory(source)) argv.push_back("-r");
    argv.push_back(source.string());
    argv.push_back(target.string());
    return RunChecked(argv).usage;
}

std::vector<std::vector<std::string>> SyncCommands(
    const std::vector<std::filesystem::path>& relativeFiles) {
    std::vector<std::vector<std::string>> commands;
    for (std::size_t first = 0; first < relativeFiles.size(); first += kNamesPerSync) {
        std::vector<std::string> argv{"sync", "-d", "--"};
        const std::size_t end = std::min(relativeFiles.size(), first + kNamesPerSync);
        for (std::size_t i = first; i < end; ++i) argv.push_back(relativeFiles[i].string());
        commands.push_back(std::move(argv));
    }
    return commands;
}

Usage SyncFiles(const std::filesystem::path& folder,
                const std::vector<std::filesystem::path>& relativeFiles) {
    Usage total;
    ProcessOptions options;
    options.workingFolder = folder;
    for (const auto& command : SyncCommands(relativeFiles)) {
        total += RunChecked(command, options).usage;
    }
    return total;
}

Usage SyncFileSystem(const std::filesystem::path& path) {
    return RunChecked({"sync", "-f", path.string()}).usage;
}

}  // namespace bench
