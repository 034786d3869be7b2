// The engine's copies against cp + sync of the same data: one large file through
// CopyFileToDevice, and a wildcard tree through CopyFolderTree with a recording callback.
#include "case_helpers.h"
#include "engine_runs.h"
#include "support/data_sets.h"
#include "support/references.h"

namespace bench {
namespace {

void FileCopy(benchmark::State& state) {
    Guarded(state, [&] {
        const FileDataSet& data = BenchData().File();
        const fs::path reference = data.layout.ReferenceTarget();
        for (auto _ : state) {
            Usage ours, theirs;
            RunPair(
                [&] {
                    EmptyFolder(data.layout.Player());
                    SettleFileSystem(data.layout.Root());
                    ours = CopyFileWithEngine(data);
                },
                [&] {
                    EmptyFolder(reference);
                    SettleFileSystem(data.layout.Root());
                    theirs = CopyWithCp(data.hostSource, reference / data.entry);
                    theirs += SyncFiles(reference, {data.entry});
                });
            ReportPair(state, ours, theirs);
            state.counters["ours_MBps"] = double(data.size) / 1e6 / ours.wallSeconds;
            state.counters["ref_MBps"] = double(data.size) / 1e6 / theirs.wallSeconds;
        }
        EmptyFolder(data.layout.Player());
        EmptyFolder(reference);
    });
}

void TreeCopy(benchmark::State& state) {
    Guarded(state, [&] {
        const TreeDataSet& data = BenchData().Tree();
        const fs::path reference = data.layout.ReferenceTarget() / "Data";
        const std::vector<fs::path> names = RelativePaths(data.files);
        for (auto _ : state) {
            Usage ours, theirs, theirsSyncfs;
            RunPair(
                [&] {
                    EmptyFolder(data.layout.Player());
                    SettleFileSystem(data.layout.Root());
                    ours = CopyTreeWithEngine(data);
                },
                [&] {
                    EmptyFolder(reference.parent_path());
                    SettleFileSystem(data.layout.Root());
                    theirs = CopyWithCp(data.hostSource, reference);
                    theirs += SyncFiles(reference, names);
                });
            // The floor without a sync per file: cp -r, then the whole file system at once.
            EmptyFolder(reference.parent_path());
            SettleFileSystem(data.layout.Root());
            theirsSyncfs = CopyWithCp(data.hostSource, reference);
            theirsSyncfs += SyncFileSystem(reference);
            ReportPair(state, ours, theirs);
            state.counters["ref_syncfs_s"] = theirsSyncfs.wallSeconds;
            state.counters["ref_syncfs_cpu_s"] = theirsSyncfs.cpuSeconds;
        }
        EmptyFolder(data.layout.Player());
        EmptyFolder(reference.parent_path());
    });
}

}  // namespace

BENCHMARK(FileCopy)
    ->Name("file_256MiB")
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(TreeCopy)
    ->Name("tree_10k_engine")
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace bench
