// A whole upgrade of a model as one ships, through the front end with the windows held in
// memory, against cp -r + sync of its system files. The design's pauses after each file entry
// are counted on the simulated machine's virtual clock and reported apart from the work.
#include "case_helpers.h"
#include "front_end_runs.h"
#include "support/data_sets.h"
#include "support/references.h"

namespace bench {
namespace {

void ModelUpgrade(benchmark::State& state) {
    Guarded(state, [&] {
        const ModelDataSet& data = BenchData().Model();
        const fs::path reference = data.layout.ReferenceTarget() / "System";
        for (auto _ : state) {
            RunOutcome run;
            Usage theirs;
            RunPair(
                [&] {
                    EmptyFolder(data.layout.Player());
                    SettleFileSystem(data.layout.Root());
                    run = UpgradeWithHeadlessViews(data.layout);
                    ExpectCompleted(run.status);
                    Expect(CheckCopy(data.layout.Player() / "System", data.files));
                },
                [&] {
                    EmptyFolder(reference.parent_path());
                    SettleFileSystem(data.layout.Root());
                    theirs = CopyWithCp(data.hostSource, reference);
                    theirs += SyncFiles(reference, RelativePaths(data.files));
                });
            ReportPair(state, run.usage, theirs);
            state.counters["pauses_s"] = double(run.sleptMilliseconds) / 1000;
            state.counters["files"] = double(data.files.size());
            state.counters["MB"] = double(TotalSize(data.files)) / 1e6;
        }
        EmptyFolder(data.layout.Player());
        EmptyFolder(reference.parent_path());
    });
}

}  // namespace

BENCHMARK(ModelUpgrade)
    ->Name("model_upgrade")
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace bench
