// System calls of a program and of its threads and children, counted from outside: by perf on
// the kernel's syscall tracepoints where this user may read them (root), which costs the
// program nothing, else by `strace -f -c`, which stops it at every call.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "support/processes.h"
#include "support/syscall_summary.h"

namespace bench {

// "perf" or "strace": the counter this run uses.
const char* SyscallCounter();

// Runs argv under the counter, its summary written to `summaryFile`; throws when the counter
// is missing or the program fails.
std::vector<SyscallCount> CountSyscalls(const std::vector<std::string>& argv,
                                        const std::filesystem::path& summaryFile,
                                        const ProcessOptions& options = {});

}  // namespace bench
