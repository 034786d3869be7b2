// System calls per copied file of the tree copy, counted by strace: CopyFolderTree in a
// process of its own against cp -r + sync -d of the same tree.
#include "case_helpers.h"
#include "support/data_sets.h"
#include "support/references.h"

namespace bench {
namespace {

void TreeSyscalls(benchmark::State& state) {
    Guarded(state, [&] {
        const TreeDataSet& data = BenchData().Tree();
        const fs::path summary = BenchData().Scratch() / "strace.txt";
        const fs::path reference = data.layout.ReferenceTarget() / "Data";
        for (auto _ : state) {
            EmptyFolder(data.layout.Player());
            const auto ours =
                CountSyscalls({KPZ_BENCH_CHILD, "copy-tree", data.layout.Root().string(),
                               data.pattern, data.targetFolder},
                              summary);
            Expect(CheckCopy(data.layout.Player() / "System" / "Data", data.files));
            EmptyFolder(data.layout.Player());

            EmptyFolder(reference.parent_path());
            auto theirs =
                CountSyscalls({"cp", "-r", data.hostSource.string(), reference.string()}, summary);
            ProcessOptions inReference;
            inReference.workingFolder = reference;
            for (const auto& batch : SyncCommands(RelativePaths(data.files))) {
                AddCounts(theirs, CountSyscalls(batch, summary, inReference));
            }
            EmptyFolder(reference.parent_path());

            state.SetIterationTime(1);
            ReportSyscalls(state, "ours", ours, data.files.size());
            ReportSyscalls(state, "ref", theirs, data.files.size());
        }
    });
}

}  // namespace

// Counts do not vary from run to run: once is enough.
BENCHMARK(TreeSyscalls)->Name("tree_10k_syscalls")->UseManualTime()->Iterations(1)->Repetitions(1);

}  // namespace bench
