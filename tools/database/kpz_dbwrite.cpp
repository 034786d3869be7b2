// kpz-dbwrite: turns a JSON array of device descriptions into a supported-devices database.
#include <nlohmann/json.hpp>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "database/database_file_write.h"
#include "database/database_writer.h"
#include "database/description_json.h"

namespace {

constexpr int kBadInput = 2;
constexpr int kWriteFailed = 1;

struct Options {
    std::string description;
    std::string output;
    dbtool::FormatVersion version = dbtool::FormatVersion::v9_00;
    bool help = false;
};

std::string VersionList() {
    std::string list;
    for (auto version : dbtool::AllFormatVersions()) {
        if (!list.empty()) list += ", ";
        list += dbtool::FormatVersionName(version);
    }
    return list;
}

void PrintHelp() {
    std::cout
        << "Usage: kpz-dbwrite DESCRIPTION.json -o FILE [--format-version VERSION]\n"
           "\n"
           "Writes a supported-devices database (KPZSupportedPortableDevices.bin) from a JSON\n"
           "array of device descriptions. Each description is an object whose keys are the\n"
           "record's member names (vendorId, productId, displayName, identMethod, ...,\n"
           "systemFiles as an array of {path, versionCompare, failIfExists}, ...,\n"
           "playlistFolder3Name); a missing key takes the record's default. Texts are UTF-8\n"
           "and are stored in the Windows-1252 code page. Identification strings are compared\n"
           "whole, so vendorId and productId keep the blanks the device reports (\"Velmora \").\n"
           "What the file would not keep is refused: systemFolder or systemFiles with\n"
           "hasSystemFiles 0, a playlist folder's name while the folder is disabled, a text\n"
           "longer than the reader keeps (vendorId 8 bytes, productId 16, displayName and\n"
           "playlist folder names 255, systemFolder and file paths 256). The file is written\n"
           "whole or not at all.\n"
           "\n"
           "Options:\n"
           "  -o, --output FILE          the database file to write\n"
           "  --format-version VERSION   one of "
        << VersionList()
        << " (default 9.00); members the\n"
           "                             version does not store are left out\n"
           "  -h, --help                 this text\n"
           "\n"
           "Exit status: 0 written, 1 the file could not be written, 2 bad input.\n";
}

// The options, or none after printing what is wrong.
std::optional<Options> ParseArguments(const std::vector<std::string>& args) {
    Options options;
    auto fail = [](const std::string& message) -> std::optional<Options> {
        std::cerr << "kpz-dbwrite: " << message << "\nTry 'kpz-dbwrite --help'.\n";
        return std::nullopt;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> const std::string* {
            return i + 1 < args.size() ? &args[++i] : nullptr;
        };
        if (arg == "-h" || arg == "--help") {
            options.help = true;
        } else if (arg == "-o" || arg == "--output") {
            const std::string* file = value();
            if (!file) return fail(arg + " needs a file name");
            options.output = *file;
        } else if (arg == "--format-version") {
            const std::string* name = value();
            if (!name) return fail("--format-version needs a version");
            const auto version = dbtool::ParseFormatVersion(*name);
            if (!version)
                return fail("unknown format version \"" + *name + "\" (one of " + VersionList() +
                            ")");
            options.version = *version;
        } else if (!arg.empty() && arg[0] == '-') {
            return fail("unknown option " + arg);
        } else if (options.description.empty()) {
            options.description = arg;
        } else {
            return fail("only one description file may be given");
        }
    }
    if (options.help) return options;
    if (options.description.empty()) return fail("no description file given");
    if (options.output.empty()) return fail("no output file given (-o FILE)");
    return options;
}

int Run(const Options& options) {
    std::ifstream in(options.description);
    if (!in) {
        std::cerr << "kpz-dbwrite: " << options.description << ": cannot be opened\n";
        return kBadInput;
    }
    nlohmann::json entries;
    try {
        entries = nlohmann::json::parse(in);
    } catch (const nlohmann::json::exception& e) {
        std::cerr << "kpz-dbwrite: " << options.description << ": not valid JSON: " << e.what()
                  << "\n";
        return kBadInput;
    }
    std::string bytes;
    std::string error;
    if (!dbtool::DatabaseFromJson(entries, options.version, bytes, error)) {
        std::cerr << "kpz-dbwrite: " << options.description << ": " << error << "\n";
        return kBadInput;
    }
    if (!dbtool::WriteDatabaseFile(options.output, bytes, error)) {
        std::cerr << "kpz-dbwrite: " << error << "\n";
        return kWriteFailed;
    }
    std::cout << "kpz-dbwrite: " << options.output << ": " << entries.size()
              << (entries.size() == 1 ? " entry" : " entries") << ", format "
              << dbtool::FormatVersionName(options.version) << "\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const auto options = ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
    if (!options) return kBadInput;
    if (options->help) {
        PrintHelp();
        return 0;
    }
    return Run(*options);
}
