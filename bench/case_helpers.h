// What every case of kpz-bench shares: failures reported as the case's error, our run and the
// reference's run as one pair, and the counters the report reads.
#pragma once

#include <benchmark/benchmark.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "support/syscalls.h"
#include "support/usage.h"

namespace bench {

// Runs the case; an exception ends it as an error, which fails `make bench`.
void Guarded(benchmark::State& state, const std::function<void()>& body);

// Throws `what` unless it is empty (the checks of what a copy left behind).
void Expect(const std::string& what);

// Runs ours and the reference back to back, taking turns at going first.
void RunPair(const std::function<void()>& ours, const std::function<void()>& reference);

// Our wall time as the iteration's time; both times and their ratios as counters.
void ReportPair(benchmark::State& state, const Usage& ours, const Usage& reference);

// `prefix` + "_calls_per_file", + "_fs_calls_per_file", and "sc_" + prefix + "_" + each call.
void ReportSyscalls(benchmark::State& state, const std::string& prefix,
                    const std::vector<SyscallCount>& counts, std::size_t files);

// Writes out and drops what is dirty on the file system of `path`, so a timed copy does not
// pay for the one before it.
void SettleFileSystem(const std::string& path);

}  // namespace bench
