// kpz-mkfirmware: writes a firmware image with a chosen version header and size.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "firmware/mkfirmware_options.h"

namespace {

constexpr int kWriteFailed = 1;
constexpr int kBadUsage = 2;

std::string OutputPath(const std::string& output) {
    std::error_code error;
    if (output.empty()) return fwtool::kImageName;
    if (std::filesystem::is_directory(output, error)) {
        return (std::filesystem::path(output) / fwtool::kImageName).string();
    }
    return output;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    fwtool::MkFirmwareOptions options;
    std::string error;
    if (!fwtool::ParseMkFirmwareArguments(args, options, error)) {
        std::cerr << "kpz-mkfirmware: " << error << "\nTry 'kpz-mkfirmware --help'.\n";
        return kBadUsage;
    }
    if (options.help) {
        std::cout << fwtool::MkFirmwareHelp();
        return 0;
    }
    const std::string path = OutputPath(options.output);
    if (!fwtool::WriteImage(path, options.header, options.size, error)) {
        std::cerr << "kpz-mkfirmware: " << error << "\n";
        return kWriteFailed;
    }
    std::cout << "kpz-mkfirmware: " << path << ": " << options.size << " bytes, version \""
              << options.header.version << "\", tag \"" << options.header.hardwareTag << "\""
              << (options.size < fwtool::kSmallestWholeImage ? " (header block cut off)" : "")
              << "\n";
    return 0;
}
