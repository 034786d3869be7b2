#include "demo/demo_description.h"

#include <fstream>
#include <stdexcept>

namespace demotool {
namespace {

using nlohmann::json;

struct Fault : std::runtime_error {
    using std::runtime_error::runtime_error;
};

const json& Member(const json& object, const std::string& key, const std::string& where) {
    if (!object.is_object()) throw Fault(where + ": expected an object");
    auto it = object.find(key);
    if (it == object.end()) throw Fault(where + "." + key + ": missing");
    return *it;
}

std::string Text(const json& object, const std::string& key, const std::string& where) {
    const json& value = Member(object, key, where);
    if (!value.is_string()) throw Fault(where + "." + key + ": expected a text");
    return value.get<std::string>();
}

std::uint64_t Size(const json& object, const std::string& where, std::uint64_t fallback) {
    auto it = object.find("size");
    if (it == object.end()) return fallback;
    if (!it->is_number_unsigned()) throw Fault(where + ".size: expected a whole number");
    return it->get<std::uint64_t>();
}

DemoFile ReadFile(const json& object, const std::string& where) {
    DemoFile file;
    file.windowsPath = Text(object, "path", where);
    if (file.windowsPath.size() < 3 || file.windowsPath[1] != ':' || file.windowsPath[2] != '\\') {
        throw Fault(where + ".path: expected a path such as C:\\folder\\file");
    }
    if (object.contains("text")) {
        file.text = Text(object, "text", where);
    } else if (object.contains("firmwareImage")) {
        const json& image = object["firmwareImage"];
        file.kind = DemoFile::Kind::FirmwareImage;
        file.image.version = Text(image, "version", where + ".firmwareImage");
        if (image.contains("hardware")) {
            file.image.hardwareTag = Text(image, "hardware", where + ".firmwareImage");
        }
        file.image.size = Size(image, where + ".firmwareImage", file.image.size);
    } else if (object.contains("systemFile")) {
        const json& header = object["systemFile"];
        const std::string at = where + ".systemFile";
        file.kind = DemoFile::Kind::SystemFile;
        file.systemFile = {Text(header, "name", at), Text(header, "version", at),
                           Text(header, "tag", at), Size(header, at, 4096)};
    } else {
        throw Fault(where + ": expected text, firmwareImage or systemFile");
    }
    return file;
}

// A computer's output folder sits beside the first computer's drive folders: a plain name.
std::map<std::string, std::string> ReadComputers(const json& object,
                                                 const DemoDescription& description) {
    if (!object.is_object()) throw Fault("computers: expected an object");
    std::map<std::string, std::string> computers;
    for (const auto& [name, file] : object.items()) {
        const bool plain =
            !name.empty() &&
            name.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-_") == std::string::npos;
        bool taken = false;
        for (const auto& [letter, folder] : description.driveFolders) taken |= folder == name;
        if (!plain || taken) {
            throw Fault("computers." + name +
                        ": expected a folder name of a-z, 0-9, - and _ that no drive uses");
        }
        if (!file.is_string()) throw Fault("computers." + name + ": expected a file name");
        computers[name] = file.get<std::string>();
    }
    return computers;
}

}  // namespace

bool LoadDemoDescription(const std::filesystem::path& file, DemoDescription& description,
                         std::string& error) {
    std::ifstream in(file);
    if (!in) {
        error = file.string() + ": cannot be read";
        return false;
    }
    const json root = json::parse(in, nullptr, false);
    if (root.is_discarded()) {
        error = file.string() + ": not JSON";
        return false;
    }
    if (!ReadDemoDescription(root, description, error)) {
        error = file.string() + ": " + error;
        return false;
    }
    return true;
}

bool ReadDemoDescription(const json& root, DemoDescription& description, std::string& error) {
    try {
        description.machine = Member(root, "machine", "demo");
        const json& drives = Member(description.machine, "drives", "machine");
        if (!drives.is_object()) throw Fault("machine.drives: expected an object");
        for (const auto& [letter, drive] : drives.items()) {
            if (letter.size() != 1) throw Fault("machine.drives." + letter + ": not a letter");
            if (drive.contains("folder")) {
                description.driveFolders[letter[0]] =
                    Text(drive, "folder", "machine.drives." + letter);
            }
        }
        const json& database = Member(root, "database", "demo");
        description.databaseEntries = Text(database, "entries", "database");
        description.databasePath = Text(database, "path", "database");
        if (database.contains("formatVersion")) {
            description.databaseFormatVersion = Text(database, "formatVersion", "database");
        }
        const json& files = Member(root, "files", "demo");
        if (!files.is_array()) throw Fault("files: expected an array");
        for (std::size_t i = 0; i < files.size(); ++i) {
            description.files.push_back(ReadFile(files[i], "files[" + std::to_string(i) + "]"));
        }
        if (root.contains("computers")) {
            description.computers = ReadComputers(root["computers"], description);
        }
        return true;
    } catch (const std::exception& fault) {
        error = fault.what();
        return false;
    }
}

}  // namespace demotool
