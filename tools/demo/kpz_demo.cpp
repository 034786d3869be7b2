// kpz-demo: makes the demo afresh from its description: the simulated computer's machine file,
// the installation of the utility (database, firmware image, firmware program, system files)
// and the players' drives.
#include <filesystem>
#include <fstream>
#include <iostream>

#include "demo/demo_computers.h"
#include "demo/demo_description.h"
#include "demo/demo_files.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kMarker = ".kpz-demo";

void PrintHelp() {
    std::cout
        << "Usage: kpz-demo DEMO_FOLDER OUTPUT_FOLDER\n"
           "\n"
           "Reads DEMO_FOLDER/demo.json (the simulated computer, the database entries and\n"
           "the files of the installation and of the players) and writes the demo afresh\n"
           "into OUTPUT_FOLDER: machine.json for zarn-upgrade --machine, and one folder per\n"
           "drive. Each further computer the description names under \"computers\" (the\n"
           "Windows 98 and Me ones) is made the same way from its own description, into\n"
           "OUTPUT_FOLDER/NAME/machine.json and its drive folders. OUTPUT_FOLDER is replaced\n"
           "whole; it must be new, empty, or an earlier output of kpz-demo.\n";
}

int Fail(const std::string& message, int status) {
    std::cerr << "kpz-demo: " << message << "\n";
    return status;
}

// Empties the output of an earlier run; refuses a folder that is something else.
bool PrepareOutput(const fs::path& output, std::string& error) {
    std::error_code code;
    if (fs::exists(output)) {
        const bool empty = fs::is_directory(output) && fs::is_empty(output);
        if (!empty && !fs::exists(output / kMarker)) {
            error = output.string() + " exists and is no output of kpz-demo; not replaced";
            return false;
        }
        fs::remove_all(output, code);
        if (code) {
            error = output.string() + ": " + code.message();
            return false;
        }
    }
    fs::create_directories(output, code);
    std::ofstream(output / kMarker) << "made by kpz-demo\n";
    if (code) error = output.string() + ": " + code.message();
    return !code;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        PrintHelp();
        return 0;
    }
    if (argc != 3) return Fail("expected DEMO_FOLDER OUTPUT_FOLDER (see kpz-demo --help)", 2);
    const fs::path demoFolder = argv[1];
    const fs::path output = argv[2];

    demotool::DemoDescription description;
    std::string error;
    if (!demotool::LoadDemoDescription(demoFolder / "demo.json", description, error)) {
        return Fail(error, 2);
    }
    if (!PrepareOutput(output, error)) return Fail(error, 1);
    if (!demotool::WriteDemo(description, demoFolder, output, error) ||
        !demotool::WriteDemoComputers(description, demoFolder, output, error)) {
        return Fail(error, 1);
    }
    std::cout << "kpz-demo: " << (output / "machine.json").string() << "\n";
    for (const auto& [name, file] : description.computers) {
        std::cout << "kpz-demo: " << (output / name / "machine.json").string() << "\n";
    }
    return 0;
}
