#include "demo/demo_files.h"

#include <fstream>
#include <stdexcept>

#include "database/database_writer.h"
#include "database/description_json.h"
#include "firmware/firmware_image_writer.h"
#include "sysfile/header_writer.h"

namespace demotool {
namespace {

struct Fault : std::runtime_error {
    using std::runtime_error::runtime_error;
};

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw Fault(path.string() + ": cannot be written");
}

std::string DatabaseBytes(const DemoDescription& description,
                          const std::filesystem::path& descriptionFolder) {
    const std::filesystem::path entriesPath = descriptionFolder / description.databaseEntries;
    std::ifstream in(entriesPath);
    if (!in) throw Fault(entriesPath.string() + ": cannot be read");
    const nlohmann::json entries = nlohmann::json::parse(in, nullptr, false);
    if (entries.is_discarded()) throw Fault(entriesPath.string() + ": not valid JSON");
    const auto version = dbtool::ParseFormatVersion(description.databaseFormatVersion);
    if (!version) throw Fault("unknown format version " + description.databaseFormatVersion);
    std::string bytes;
    std::string error;
    if (!dbtool::DatabaseFromJson(entries, *version, bytes, error)) {
        throw Fault(entriesPath.string() + ": " + error);
    }
    return bytes;
}

}  // namespace

std::filesystem::path HostPathOf(const DemoDescription& description,
                                 const std::filesystem::path& output,
                                 const std::string& windowsPath) {
    auto folder = description.driveFolders.find(static_cast<char>(std::toupper(windowsPath[0])));
    if (folder == description.driveFolders.end()) return {};
    std::filesystem::path path = output / folder->second;
    std::string part;
    for (char c : windowsPath.substr(3) + "\\") {
        if (c != '\\') {
            part += c;
            continue;
        }
        if (!part.empty()) path /= part;
        part.clear();
    }
    return path;
}

std::string FileBytes(const DemoFile& file) {
    switch (file.kind) {
        case DemoFile::Kind::FirmwareImage: {
            fwtool::FirmwareHeader header;
            header.hardwareTag = file.image.hardwareTag;
            header.version = file.image.version;
            const std::string fault = fwtool::CheckHeader(header);
            if (!fault.empty()) throw Fault(file.windowsPath + ": " + fault);
            return fwtool::ImageBytes(header, file.image.size);
        }
        case DemoFile::Kind::SystemFile: {
            sftool::HeaderFields fields;
            fields.name = file.systemFile.name;
            fields.version = file.systemFile.version;
            fields.tag = file.systemFile.tag;
            sftool::Bytes header;
            std::string error;
            if (!sftool::MakeSysFileHeader(fields, header, error)) {
                throw Fault(file.windowsPath + ": " + error);
            }
            std::string bytes(header.begin(), header.end());
            // The program's body: any bytes will do, the utility copies it as it stands.
            for (std::uint64_t at = bytes.size(); at < file.systemFile.size; ++at) {
                bytes += static_cast<char>(at * 7 % 251);
            }
            return bytes;
        }
        case DemoFile::Kind::Text:
            break;
    }
    return file.text;
}

bool WriteDemo(const DemoDescription& description, const std::filesystem::path& descriptionFolder,
               const std::filesystem::path& output, std::string& error) {
    try {
        for (const auto& [letter, folder] : description.driveFolders) {
            std::filesystem::create_directories(output / folder);
        }
        std::ofstream machine(output / "machine.json");
        machine << description.machine.dump(2) << "\n";
        machine.close();
        if (!machine) throw Fault((output / "machine.json").string() + ": cannot be written");

        auto place = [&](const std::string& windowsPath) {
            const auto path = HostPathOf(description, output, windowsPath);
            if (path.empty()) throw Fault(windowsPath + ": its drive has no folder");
            return path;
        };
        WriteBytes(place(description.databasePath), DatabaseBytes(description, descriptionFolder));
        for (const DemoFile& file : description.files) {
            WriteBytes(place(file.windowsPath), FileBytes(file));
        }
        return true;
    } catch (const std::exception& fault) {
        error = fault.what();
        return false;
    }
}

}  // namespace demotool
