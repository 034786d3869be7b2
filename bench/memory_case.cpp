// Peak resident memory of copying a 1 GiB file: CopyFileToDevice in a process of its own
// against cp, each its VmHWM as it exits.
#include "case_helpers.h"
#include "support/data_sets.h"
#include "support/processes.h"

namespace bench {
namespace {

void PeakMemory(benchmark::State& state) {
    Guarded(state, [&] {
        const FileDataSet& data = BenchData().LargeFile();
        const fs::path reference = data.layout.ReferenceTarget();
        for (auto _ : state) {
            EmptyFolder(data.layout.Player());
            fs::create_directories(data.layout.Player() / "System");
            SettleFileSystem(data.layout.Root());
            const ProcessResult ours =
                RunForPeakMemory({KPZ_BENCH_CHILD, "copy-file", data.layout.Root().string(),
                                  data.source, data.deviceFolder, data.entry});
            Expect(CheckCopy(data.layout.Player(), {{"System/large.bin", data.size}}));
            EmptyFolder(data.layout.Player());
            EmptyFolder(reference);
            SettleFileSystem(data.layout.Root());
            const ProcessResult theirs = RunForPeakMemory(
                {"cp", data.hostSource.string(), (reference / data.entry).string()});
            EmptyFolder(reference);

            state.SetIterationTime(ours.usage.wallSeconds);
            state.counters["ours_peak_MiB"] = double(ours.peakResidentKiB) / 1024;
            state.counters["ref_peak_MiB"] = double(theirs.peakResidentKiB) / 1024;
            state.counters["ours_s"] = ours.usage.wallSeconds;
            state.counters["ref_s"] = theirs.usage.wallSeconds;
        }
    });
}

}  // namespace

// Memory does not vary from run to run: once is enough.
BENCHMARK(PeakMemory)
    ->Name("memory_1GiB")
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace bench
