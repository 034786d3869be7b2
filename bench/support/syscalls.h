// System calls of a program counted from outside with `strace -c -f`.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "support/processes.h"

namespace bench {

struct SyscallCount {
    std::string name;
    std::uint64_t calls = 0;
};

// Runs argv under `strace -f -c -o summaryFile` and reads the summary; throws when strace is
// missing or the program fails.
std::vector<SyscallCount> CountSyscalls(const std::vector<std::string>& argv,
                                        const std::filesystem::path& summaryFile,
                                        const ProcessOptions& options = {});

// The table strace -c writes, without its total.
std::vector<SyscallCount> ParseStraceSummary(const std::string& text);

// A call on a path, a folder or a file's descriptor. Not: locks and wake-ups (futex), memory,
// signals, threads and processes, clocks, polling.
bool IsFileSystemCall(const std::string& name);

}  // namespace bench
