// The command line of zarn-upgrade: global options, the command, and each command's own
// arguments taken one by one.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

// Bad usage or bad input: one line on standard error and exit status 2.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct GlobalOptions {
    std::optional<std::string> machineFile;
    std::optional<std::string> installFolder;
    bool json = false;
    bool events = false;
    bool help = false;
};

// The arguments that follow the command, consumed by the command as it reads them.
class ArgumentList {
  public:
    explicit ArgumentList(std::vector<std::string> args) : args_(std::move(args)) {}

    // Takes "--name" if present.
    bool Flag(std::string_view name);
    // Takes "--name VALUE" or "--name=VALUE"; none when absent.
    std::optional<std::string> Option(std::string_view name, std::string_view shortName = {});
    // Takes the next argument that is not an option; `what` names it in the error.
    std::string Positional(const char* what);
    // Complains about anything left over.
    void Finish() const;

  private:
    std::vector<std::string> args_;
};

struct Invocation {
    GlobalOptions options;
    std::string command;  // empty: none given
    ArgumentList arguments{{}};
};

// Splits the command line; the global options may stand anywhere.
Invocation ParseCommandLine(int argc, const char* const* argv);

}  // namespace cli
