// The demo's description (demo/demo.json): the simulated computer, the database and the files
// of the installation and of the players' drives.
#pragma once

#include <nlohmann/json.hpp>

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace demotool {

struct FirmwareImageFile {
    std::string version;
    std::string hardwareTag = "QN01";
    std::uint64_t size = 65536;
};

// A file that begins with the 64-byte system-file header.
struct SystemFile {
    std::string name;
    std::string version;  // "v2.10"
    std::string tag;
    std::uint64_t size = 4096;
};

struct DemoFile {
    std::string windowsPath;  // "C:\Program Files\Zarn\ZJ-20\System\QDAV3180.mi4"
    enum class Kind { Text, FirmwareImage, SystemFile } kind = Kind::Text;
    std::string text;
    FirmwareImageFile image;
    SystemFile systemFile;
};

struct DemoDescription {
    nlohmann::json machine;                    // the machine file, written as it stands
    std::map<char, std::string> driveFolders;  // drive letter -> folder below the output
    std::string databaseEntries;               // the entries' JSON file, beside demo.json
    std::string databaseFormatVersion = "9.00";
    std::string databasePath;  // where the database goes, as a Windows path
    std::vector<DemoFile> files;
    // Further computers: an output folder name and the description file that makes it.
    std::map<std::string, std::string> computers;
};

// False with `error` naming the key at fault.
bool ReadDemoDescription(const nlohmann::json& json, DemoDescription& description,
                         std::string& error);

// The description in a file; false with `error` naming the file and what is wrong.
bool LoadDemoDescription(const std::filesystem::path& file, DemoDescription& description,
                         std::string& error);

}  // namespace demotool
