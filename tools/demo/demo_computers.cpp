#include "demo/demo_computers.h"

#include "demo/demo_files.h"

namespace demotool {

bool WriteDemoComputers(const DemoDescription& description,
                        const std::filesystem::path& descriptionFolder,
                        const std::filesystem::path& output, std::string& error) {
    for (const auto& [name, file] : description.computers) {
        DemoDescription computer;
        if (!LoadDemoDescription(descriptionFolder / file, computer, error)) return false;
        if (!computer.computers.empty()) {
            error =
                (descriptionFolder / file).string() + ": a computer has no computers of its own";
            return false;
        }
        if (!WriteDemo(computer, descriptionFolder, output / name, error)) return false;
    }
    return true;
}

}  // namespace demotool
