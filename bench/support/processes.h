// Running another program (cp, sync, strace, zarn-upgrade, the bench child) and measuring it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "support/usage.h"

namespace bench {

struct ProcessOptions {
    std::filesystem::path workingFolder;                   // empty: this process's
    std::filesystem::path standardOutput = "/dev/null";    // empty: this process's
    std::filesystem::path standardError;                   // empty: this process's
    std::vector<std::pair<std::string, std::string>> env;  // set in the child
};

struct ProcessResult {
    int exitStatus = -1;       // -1 when it did not exit normally
    Usage usage;               // the child's own CPU time (and its children's, when waited for)
    long peakResidentKiB = 0;  // only from RunForPeakMemory
};

// Runs argv[0] (looked up in PATH) and waits for it; throws when it cannot be started.
ProcessResult RunProcess(const std::vector<std::string>& argv, const ProcessOptions& options = {});

// The same; throws with the command named when it does not exit with status 0.
ProcessResult RunChecked(const std::vector<std::string>& argv, const ProcessOptions& options = {});

// The same, also taking the program's peak resident memory (VmHWM) as it exits. ru_maxrss
// would not do: it keeps the peak of the forked copy of this process before the exec.
ProcessResult RunForPeakMemory(const std::vector<std::string>& argv,
                               const ProcessOptions& options = {});

}  // namespace bench
