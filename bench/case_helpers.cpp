#include "case_helpers.h"

#include "support/references.h"

namespace bench {

void Guarded(benchmark::State& state, const std::function<void()>& body) {
    try {
        body();
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
    }
}

void Expect(const std::string& what) {
    if (!what.empty()) throw std::runtime_error(what);
}

void RunPair(const std::function<void()>& ours, const std::function<void()>& reference) {
    static bool oursFirst = true;  // alternates over the whole run
    if (oursFirst) {
        ours();
        reference();
    } else {
        reference();
        ours();
    }
    oursFirst = !oursFirst;
}

void ReportPair(benchmark::State& state, const Usage& ours, const Usage& reference) {
    state.SetIterationTime(ours.wallSeconds);
    state.counters["ours_s"] = ours.wallSeconds;
    state.counters["ours_cpu_s"] = ours.cpuSeconds;
    state.counters["ref_s"] = reference.wallSeconds;
    state.counters["ref_cpu_s"] = reference.cpuSeconds;
    state.counters["wall_ratio"] = ours.wallSeconds / reference.wallSeconds;
    state.counters["cpu_ratio"] = ours.cpuSeconds / reference.cpuSeconds;
}

void ReportSyscalls(benchmark::State& state, const std::string& prefix,
                    const std::vector<SyscallCount>& counts, std::size_t files) {
    double all = 0, fileSystem = 0;
    for (const SyscallCount& count : counts) {
        const double perFile = double(count.calls) / double(files);
        state.counters["sc_" + prefix + "_" + count.name] = perFile;
        all += perFile;
        if (IsFileSystemCall(count.name)) fileSystem += perFile;
    }
    state.counters[prefix + "_calls_per_file"] = all;
    state.counters[prefix + "_fs_calls_per_file"] = fileSystem;
}

void SettleFileSystem(const std::string& path) {
    SyncFileSystem(path);
}

}  // namespace bench
