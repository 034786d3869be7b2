// kpz-mksysfile: writes system files with a version header, content of the record layout's
// shape, and checksum files of both layouts (sound, or broken on purpose) for tests and demos.
#include <charconv>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "sysfile/checksum_writer.h"
#include "sysfile/header_writer.h"

namespace {

constexpr int kWriteFailed = 1;
constexpr int kBadInput = 2;

const char* const kHelp =
    "Usage: kpz-mksysfile header --name NAME [--version TEXT] [--tag TAG] [--long-text TEXT]\n"
    "                            [--short-text TEXT] [--name-padding N] [--fill blank|zero]\n"
    "                            [--content FILE] -o FILE\n"
    "       kpz-mksysfile records [--head FILE] [--record-bytes N] [--tail N] [--seed N] -o FILE\n"
    "       kpz-mksysfile checksum --layout record|single [FAULTS] INPUT -o FILE\n"
    "\n"
    "header    writes the 64-byte system-file header followed by the bytes of --content:\n"
    "          the name (12 characters at most, after N padding bytes) at byte 4, the\n"
    "          16-character text at 16, the 8-character text at 32, the version text\n"
    "          (default v1.00; 'v' and a number) at 40, the tag (8 characters) at 48. Each\n"
    "          field is filled up with blanks, or zeros with --fill zero.\n"
    "records   writes content that a record-layout checksum file can carry: the first 64\n"
    "          bytes of --head (zeros if none), records of pseudo-random counts holding\n"
    "          --record-bytes bytes (default 1000), the end mark and --tail bytes (default 0).\n"
    "checksum  writes the checksum file of INPUT: --layout record (64-byte head block, records,\n"
    "          end mark, tail of at most 32 bytes) or single (at most 1024 bytes and a sum).\n"
    "\n"
    "Faults (checksum):\n"
    "  --bad-head-sum        record: the head block's sum byte is wrong\n"
    "  --bad-record-sum N    record: the sum byte of record N (from 0) is wrong\n"
    "  --no-end-mark         record: the file ends after the last record\n"
    "  --long-tail           record: a tail over 32 bytes is written whole\n"
    "  --any-count           record: count bytes above 127 are written as records\n"
    "  --bad-sum             single: the sum byte is wrong\n"
    "  --oversize            single: content over 1024 bytes is written whole\n"
    "\n"
    "  -o, --output FILE     the file to write\n"
    "  -h, --help            this text\n"
    "\n"
    "Exit status: 0 written, 1 the file could not be written, 2 bad input.\n";

using sftool::Bytes;
using Options = std::map<std::string, std::string>;

struct Command {
    std::string name;
    Options options;                  // option name -> value ("" for a switch)
    std::vector<std::string> inputs;  // other arguments
};

const std::map<std::string, std::vector<std::string>> kValueOptions = {
    {"header",
     {"--name", "--version", "--tag", "--long-text", "--short-text", "--name-padding", "--fill",
      "--content", "--output"}},
    {"records", {"--head", "--record-bytes", "--tail", "--seed", "--output"}},
    {"checksum", {"--layout", "--bad-record-sum", "--output"}},
};
const std::map<std::string, std::vector<std::string>> kSwitches = {
    {"header", {}},
    {"records", {}},
    {"checksum",
     {"--bad-head-sum", "--no-end-mark", "--long-tail", "--any-count", "--bad-sum", "--oversize"}},
};

bool Fail(const std::string& message) {
    std::cerr << "kpz-mksysfile: " << message << "\nTry 'kpz-mksysfile --help'.\n";
    return false;
}

bool Contains(const std::vector<std::string>& list, const std::string& item) {
    for (const auto& entry : list) {
        if (entry == item) return true;
    }
    return false;
}

bool ParseCommand(const std::vector<std::string>& args, Command& command) {
    if (args.empty()) return Fail("no command given (header, records or checksum)");
    command.name = args[0];
    if (!kValueOptions.count(command.name)) return Fail("unknown command \"" + args[0] + "\"");
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string arg = args[i] == "-o" ? "--output" : args[i];
        if (Contains(kValueOptions.at(command.name), arg)) {
            if (i + 1 >= args.size()) return Fail(arg + " needs a value");
            command.options[arg] = args[++i];
        } else if (Contains(kSwitches.at(command.name), arg)) {
            command.options[arg] = "";
        } else if (!arg.empty() && arg[0] == '-') {
            return Fail("unknown option " + arg + " for " + command.name);
        } else {
            command.inputs.push_back(arg);
        }
    }
    if (!command.options.count("--output")) return Fail("no output file given (-o FILE)");
    return true;
}

std::optional<std::size_t> Number(const Options& options, const std::string& name,
                                  std::size_t fallback) {
    const auto found = options.find(name);
    if (found == options.end()) return fallback;
    std::size_t value = 0;
    const std::string& text = found->second;
    const auto parsed = std::from_chars(text.data(), text.data() + text.size(), value);
    if (parsed.ec != std::errc() || parsed.ptr != text.data() + text.size()) {
        Fail(name + " needs a number, not \"" + text + "\"");
        return std::nullopt;
    }
    return value;
}

std::string Value(const Options& options, const std::string& name, const std::string& fallback) {
    const auto found = options.find(name);
    return found == options.end() ? fallback : found->second;
}

bool ReadFile(const std::string& path, Bytes& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return Fail(path + ": cannot be opened");
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

int WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::cerr << "kpz-mksysfile: " << path << ": cannot be written\n";
        return kWriteFailed;
    }
    std::cout << "kpz-mksysfile: " << path << ": " << bytes.size() << " bytes\n";
    return 0;
}

std::optional<Bytes> MakeHeaderFile(const Command& command) {
    const Options& options = command.options;
    if (!command.inputs.empty())
        return Fail("header takes no input file (use --content)"), std::nullopt;
    if (!options.count("--name")) return Fail("header needs --name"), std::nullopt;
    sftool::HeaderFields fields;
    fields.name = options.at("--name");
    fields.version = Value(options, "--version", fields.version);
    fields.tag = Value(options, "--tag", "");
    fields.longText = Value(options, "--long-text", "");
    fields.shortText = Value(options, "--short-text", "");
    const std::string fill = Value(options, "--fill", "blank");
    if (fill != "blank" && fill != "zero") return Fail("--fill is blank or zero"), std::nullopt;
    fields.fill = fill == "zero" ? '\0' : ' ';
    const auto padding = Number(options, "--name-padding", 0);
    if (!padding) return std::nullopt;
    fields.namePadding = *padding;
    Bytes file, content;
    std::string error;
    if (!sftool::MakeSysFileHeader(fields, file, error)) return Fail(error), std::nullopt;
    if (options.count("--content") && !ReadFile(options.at("--content"), content))
        return std::nullopt;
    file.insert(file.end(), content.begin(), content.end());
    return file;
}

std::optional<Bytes> MakeRecordsFile(const Command& command) {
    const Options& options = command.options;
    if (!command.inputs.empty())
        return Fail("records takes no input file (use --head)"), std::nullopt;
    Bytes head;
    if (options.count("--head") && !ReadFile(options.at("--head"), head)) return std::nullopt;
    const auto recordBytes = Number(options, "--record-bytes", 1000);
    const auto tail = Number(options, "--tail", 0);
    const auto seed = Number(options, "--seed", 1);
    if (!recordBytes || !tail || !seed) return std::nullopt;
    return sftool::MakeRecordContent(head, *recordBytes, *tail, static_cast<std::uint32_t>(*seed));
}

std::optional<Bytes> MakeChecksumFile(const Command& command) {
    const Options& options = command.options;
    if (command.inputs.size() != 1) return Fail("checksum needs one input file"), std::nullopt;
    const std::string layout = Value(options, "--layout", "");
    if (layout != "record" && layout != "single") {
        return Fail("--layout is record or single"), std::nullopt;
    }
    Bytes content, file;
    if (!ReadFile(command.inputs[0], content)) return std::nullopt;
    std::string error;
    bool written = false;
    if (layout == "record") {
        sftool::RecordLayoutOptions faults;
        faults.breakHeadSum = options.count("--bad-head-sum") > 0;
        faults.omitEndMark = options.count("--no-end-mark") > 0;
        faults.allowLongTail = options.count("--long-tail") > 0;
        faults.allowAnyCount = options.count("--any-count") > 0;
        if (options.count("--bad-record-sum")) {
            const auto record = Number(options, "--bad-record-sum", 0);
            if (!record) return std::nullopt;
            faults.breakRecordSum = *record;
        }
        written = sftool::WriteRecordLayout(content, faults, file, error);
    } else {
        sftool::SingleSumOptions faults;
        faults.breakSum = options.count("--bad-sum") > 0;
        faults.allowOversize = options.count("--oversize") > 0;
        written = sftool::WriteSingleSumLayout(content, faults, file, error);
    }
    if (!written) return Fail(command.inputs[0] + ": " + error), std::nullopt;
    return file;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    for (const auto& arg : args) {
        if (arg == "-h" || arg == "--help") {
            std::cout << kHelp;
            return 0;
        }
    }
    Command command;
    if (!ParseCommand(args, command)) return kBadInput;
    std::optional<Bytes> file;
    if (command.name == "header") file = MakeHeaderFile(command);
    if (command.name == "records") file = MakeRecordsFile(command);
    if (command.name == "checksum") file = MakeChecksumFile(command);
    if (!file) return kBadInput;
    return WriteFile(command.options.at("--output"), *file);
}
