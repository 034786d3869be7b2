#include "support/syscalls.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace bench {

namespace {

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool PerfMayTrace() {
    ProcessOptions quiet;
    quiet.standardError = "/dev/null";
    try {
        return RunProcess({"perf", "stat", "-e", "raw_syscalls:sys_enter", "--", "true"}, quiet)
                   .exitStatus == 0;
    } catch (const std::exception&) {
        return false;  // no perf
    }
}

}  // namespace

const char* SyscallCounter() {
    static const bool perf = PerfMayTrace();
    return perf ? "perf" : "strace";
}

std::vector<SyscallCount> CountSyscalls(const std::vector<std::string>& argv,
                                        const std::filesystem::path& summaryFile,
                                        const ProcessOptions& options) {
    const bool perf = std::string(SyscallCounter()) == "perf";
    std::vector<std::string> counted =
        perf ? std::vector<std::string>{"perf",
                                        "stat",
                                        "-x,",
                                        "-o",
                                        summaryFile.string(),
                                        "-e",
                                        "syscalls:sys_enter_*",
                                        "--"}
             : std::vector<std::string>{"strace", "-f", "-c", "-o", summaryFile.string(), "--"};
    counted.insert(counted.end(), argv.begin(), argv.end());
    RunChecked(counted, options);
    const std::string text = ReadText(summaryFile);
    auto counts = perf ? ParsePerfSummary(text) : ParseStraceSummary(text);
    if (counts.empty()) throw std::runtime_error(summaryFile.string() + ": no counts");
    return counts;
}

}  // namespace bench
