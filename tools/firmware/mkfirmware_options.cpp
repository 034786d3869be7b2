#include "firmware/mkfirmware_options.h"

#include <cctype>
#include <limits>

namespace fwtool {
namespace {

std::optional<std::uint64_t> Multiplier(char suffix) {
    switch (std::toupper(static_cast<unsigned char>(suffix))) {
        case 'K':
            return 1ull << 10;
        case 'M':
            return 1ull << 20;
        case 'G':
            return 1ull << 30;
        default:
            return std::nullopt;
    }
}

bool ApplyOption(const std::string& option, const std::string& value, MkFirmwareOptions& options,
                 std::string& error) {
    if (option == "--size") {
        const auto size = ParseSize(value);
        if (!size) {
            error = "--size wants a byte count such as 4096, 64K or 2M, not \"" + value + "\"";
            return false;
        }
        if (*size > kLargestImage) {
            error = "--size " + value + " is more than a FAT32 file holds (4294967295 bytes)";
            return false;
        }
        options.size = *size;
    } else if (option == "--version") {
        options.header.version = value;
    } else if (option == "--tag") {
        options.header.hardwareTag = value;
    } else if (option == "--signature") {
        options.header.signature = value;
    } else {
        options.output = value;
    }
    return true;
}

}  // namespace

std::optional<std::uint64_t> ParseSize(const std::string& text) {
    std::uint64_t value = 0;
    std::size_t i = 0;
    constexpr auto kMax = std::numeric_limits<std::uint64_t>::max();
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        const unsigned digit = static_cast<unsigned>(text[i] - '0');
        if (value > (kMax - digit) / 10) return std::nullopt;
        value = value * 10 + digit;
    }
    if (i == 0) return std::nullopt;
    if (i == text.size()) return value;
    const auto multiplier = Multiplier(text[i]);
    if (!multiplier || i + 1 != text.size() || value > kMax / *multiplier) return std::nullopt;
    return value * *multiplier;
}

bool ParseMkFirmwareArguments(const std::vector<std::string>& args, MkFirmwareOptions& options,
                              std::string& error) {
    bool versionGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string option = args[i];
        if (option == "-h" || option == "--help") {
            options.help = true;
            continue;
        }
        if (option == "-o") option = "--output";
        if (option != "--size" && option != "--version" && option != "--tag" &&
            option != "--signature" && option != "--output") {
            error = option.starts_with("-") ? "unknown option " + option
                                            : "unexpected argument \"" + option + "\"";
            return false;
        }
        if (i + 1 >= args.size()) {
            error = option + " needs a value";
            return false;
        }
        if (!ApplyOption(option, args[++i], options, error)) return false;
        versionGiven = versionGiven || option == "--version";
    }
    if (options.help) return true;
    if (!versionGiven) {
        error = "no firmware version given (--version VERSION, up to 5 characters)";
        return false;
    }
    error = CheckHeader(options.header);
    return error.empty();
}

std::string MkFirmwareHelp() {
    return "Usage: kpz-mkfirmware --version VERSION [--size BYTES] [--tag TAG]\n"
           "                      [--signature TEXT] [-o PATH]\n"
           "\n"
           "Writes a firmware image QDAV3180.mi4 for a Zarn player's system folder or the\n"
           "model's folder of an installation. The image is filler bytes with the 128-byte\n"
           "version header block at byte 544: the signature at byte 544, the hardware tag at\n"
           "byte 602 and the version at byte 607. Fields shorter than their place are padded\n"
           "with zero bytes; the utility reads the version up to the first zero byte.\n"
           "\n"
           "Options:\n"
           "  --version VERSION   the firmware version, up to 5 characters (\"3.180\")\n"
           "  --size BYTES        the image's length (default 4096; K, M, G for binary\n"
           "                      multiples); below 672 bytes the header block is cut off and\n"
           "                      the image has no readable version\n"
           "  --tag TAG           the hardware tag, up to 4 characters (default QN01; the\n"
           "                      utility accepts QN01 and QN02, exactly in that case)\n"
           "  --signature TEXT    up to 12 characters (default portalplayer; compared without\n"
           "                      regard to case)\n"
           "  -o, --output PATH   the file to write, or an existing folder to write\n"
           "                      QDAV3180.mi4 into (default: QDAV3180.mi4 here)\n"
           "  -h, --help          this text\n"
           "\n"
           "Exit status: 0 written, 1 the file could not be written, 2 bad usage.\n";
}

}  // namespace fwtool
