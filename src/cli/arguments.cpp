#include "cli/arguments.h"

#include <algorithm>

namespace cli {
namespace {

bool IsOption(const std::string& arg) {
    return arg.size() > 1 && arg[0] == '-';
}

// "--name=value" gives the value; anything else none.
std::optional<std::string> InlineValue(const std::string& arg, std::string_view name) {
    if (arg.size() > name.size() && arg.compare(0, name.size(), name) == 0 &&
        arg[name.size()] == '=') {
        return arg.substr(name.size() + 1);
    }
    return std::nullopt;
}

}  // namespace

bool ArgumentList::Flag(std::string_view name) {
    auto it = std::find(args_.begin(), args_.end(), name);
    if (it == args_.end()) return false;
    args_.erase(it);
    return true;
}

std::optional<std::string> ArgumentList::Option(std::string_view name, std::string_view shortName) {
    for (auto it = args_.begin(); it != args_.end(); ++it) {
        if (auto value = InlineValue(*it, name)) {
            args_.erase(it);
            return value;
        }
        if (*it != name && (shortName.empty() || *it != shortName)) continue;
        if (it + 1 == args_.end()) throw UsageError(std::string(name) + " needs a value");
        std::string value = *(it + 1);
        args_.erase(it, it + 2);
        return value;
    }
    return std::nullopt;
}

std::string ArgumentList::Positional(const char* what) {
    for (auto it = args_.begin(); it != args_.end(); ++it) {
        if (IsOption(*it)) continue;
        std::string value = *it;
        args_.erase(it);
        return value;
    }
    throw UsageError(std::string("missing ") + what);
}

void ArgumentList::Finish() const {
    if (args_.empty()) return;
    const std::string& first = args_.front();
    throw UsageError((IsOption(first) ? "unknown option " : "unexpected argument ") + first);
}

Invocation ParseCommandLine(int argc, const char* const* argv) {
    Invocation invocation;
    std::vector<std::string> rest;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--json") {
            invocation.options.json = true;
        } else if (arg == "--events") {
            invocation.options.events = true;
        } else if (arg == "--help" || arg == "-h") {
            invocation.options.help = true;
        } else if (auto value = InlineValue(arg, "--install-folder")) {
            invocation.options.installFolder = *value;
        } else if (arg == "--install-folder") {
            if (i + 1 >= argc) throw UsageError("--install-folder needs a folder");
            invocation.options.installFolder = argv[++i];
        } else if (auto value = InlineValue(arg, "--machine")) {
            invocation.options.machineFile = *value;
        } else if (arg == "--machine") {
            if (i + 1 >= argc) throw UsageError("--machine needs a machine file");
            invocation.options.machineFile = argv[++i];
        } else if (invocation.command.empty() && !IsOption(arg)) {
            invocation.command = arg;
        } else {
            rest.push_back(arg);
        }
    }
    invocation.arguments = ArgumentList(std::move(rest));
    return invocation;
}

}  // namespace cli
