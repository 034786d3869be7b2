// db dump and db build: supported-devices database files of this computer, read with the
// detection library's reader and written with the database writer.
#include <filesystem>
#include <fstream>

#include "cli/record_json.h"
#include "cli/session.h"
#include "database/database_file_write.h"
#include "database/database_writer.h"
#include "database/description_json.h"
#include "detect/database_file.h"
#include "detect/supported_devices.h"
#include "platform/sim/machine.h"

namespace cli {
namespace {

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

void PrintEntry(Output& output, std::size_t index, const Json& entry) {
    output.Line(std::to_string(index + 1) + ". " + Quoted(entry["vendorId"]) + " " +
                Quoted(entry["productId"]) + "  " + entry["displayName"].get<std::string>());
    if (entry["hasSystemFiles"] != 0) {
        output.Line("   system folder " + Quoted(entry["systemFolder"]));
        for (const Json& file : entry["systemFiles"]) {
            if (file.is_null()) continue;
            output.Line("   file " + Quoted(file["path"]) +
                        " versionCompare=" + file["versionCompare"].dump() +
                        " failIfExists=" + file["failIfExists"].dump());
        }
    }
    for (int folder = 1; folder <= 3; ++folder) {
        const std::string key = "playlistFolder" + std::to_string(folder);
        if (entry[key + "Enabled"] == 0) continue;
        output.Line("   playlist folder " + Quoted(entry[key + "Name"]));
    }
    if (entry["firmwareHeaderFlag"] != 0) output.Line("   firmware version from the image header");
}

// The reader works on Windows paths: the file's folder becomes drive C: of a computer of its
// own, so any host file can be read whatever machine the command runs on.
Json LoadDatabase(const std::string& hostPath) {
    const std::filesystem::path path = std::filesystem::absolute(hostPath);
    if (!std::filesystem::is_regular_file(path)) throw UsageError(hostPath + ": no such file");
    sim::Machine reader;
    reader.AddDrive('C', win32::DRIVE_FIXED, path.parent_path().string());
    platform::ScopedSystem installed(reader);
    const std::string windowsPath = "C:\\" + path.filename().string();
    if (detect::LoadSupportedDevices(windowsPath.c_str()) == 0) {
        throw UsageError(hostPath + ": not a supported-devices database");
    }
    Json entries = Json::array();
    for (const auto& entry : detect::g_supportedDevices) {
        if (entry) entries.push_back(DescriptionJson(*entry));
    }
    detect::FreeSupportedDevices();
    return entries;
}

int Dump(Session& session, ArgumentList& arguments) {
    const std::string file = arguments.Positional("FILE");
    arguments.Finish();
    const Json entries = LoadDatabase(file);
    if (session.output.Text()) {
        session.output.Line(file + ": " + std::to_string(entries.size()) +
                            (entries.size() == 1 ? " entry" : " entries"));
        for (std::size_t i = 0; i < entries.size(); ++i) PrintEntry(session.output, i, entries[i]);
    }
    session.output.Result(entries);
    return kExitDone;
}

int Build(Session& session, ArgumentList& arguments) {
    const auto output = arguments.Option("--output", "-o");
    const auto versionName = arguments.Option("--format-version");
    const std::string description = arguments.Positional("DESCRIPTION.json");
    arguments.Finish();
    if (!output) throw UsageError("missing -o FILE");
    const auto version = dbtool::ParseFormatVersion(versionName.value_or("9.00"));
    if (!version) throw UsageError("unknown format version " + *versionName);

    std::ifstream in(description);
    if (!in) throw UsageError(description + ": cannot be read");
    nlohmann::json entries = nlohmann::json::parse(in, nullptr, false);
    if (entries.is_discarded()) throw UsageError(description + ": not valid JSON");
    std::string bytes;
    std::string error;
    if (!dbtool::DatabaseFromJson(entries, *version, bytes, error)) {
        throw UsageError(description + ": " + error);
    }
    if (!dbtool::WriteDatabaseFile(*output, bytes, error)) {
        session.output.Note(error);
        return kExitFailed;
    }
    const std::string name = dbtool::FormatVersionName(*version);
    if (session.output.Text()) {
        session.output.Line(*output + ": " + std::to_string(entries.size()) +
                            (entries.size() == 1 ? " entry" : " entries") + ", format " + name);
    }
    session.output.Result(
        Json{{"file", *output}, {"entries", entries.size()}, {"formatVersion", name}});
    return kExitDone;
}

}  // namespace

int RunDatabase(Session& session, ArgumentList& arguments) {
    const std::string action = arguments.Positional("dump or build");
    if (action == "dump") return Dump(session, arguments);
    if (action == "build") return Build(session, arguments);
    throw UsageError("unknown db action " + action + " (dump or build)");
}

}  // namespace cli
