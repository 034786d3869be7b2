// Reading the system-call counts of `strace -c` or of `perf stat` on the syscall tracepoints,
// and which calls are file-system calls.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bench {

struct SyscallCount {
    std::string name;
    std::uint64_t calls = 0;
};

// The table strace -c writes, without its total.
std::vector<SyscallCount> ParseStraceSummary(const std::string& text);

// The counts `perf stat -x, -e 'syscalls:sys_enter_*'` writes; calls never made are left out.
std::vector<SyscallCount> ParsePerfSummary(const std::string& text);

// A call on a path, a folder or a file's descriptor. Not: locks and wake-ups (futex), memory,
// signals, threads and processes, clocks, polling.
bool IsFileSystemCall(const std::string& name);

}  // namespace bench
