// The tree through the whole upgrade run: the worker and its hand-over to the user-interface
// thread, drawn on the terminal by zarn-upgrade and as Qt windows offscreen, each beside the
// engine's copy of the same tree.
#include "case_helpers.h"
#include "engine_runs.h"
#include "front_end_runs.h"
#include "support/data_sets.h"
#include "support/references.h"

namespace bench {
namespace {

// The player starts empty and the file system settled, as for the engine's copy.
void FreshPlayer(const TreeDataSet& data) {
    EmptyFolder(data.layout.Player());
    SettleFileSystem(data.layout.Root());
}

void CheckTree(const TreeDataSet& data) {
    Expect(CheckCopy(data.layout.Player() / "System" / "Data", data.files));
}

void Report(benchmark::State& state, const std::string& form, const Usage& usage) {
    state.counters[form + "_s"] = usage.wallSeconds;
    state.counters[form + "_cpu_s"] = usage.cpuSeconds;
}

// The engine's copy, the two front ends and the reference one after the other, so that what
// the windows add is measured under the same load. (The windows held in memory are the terminal's
// without its lines; the whole model's upgrade uses them.)
void TreeFrontEnds(benchmark::State& state) {
    Guarded(state, [&] {
        const TreeDataSet& data = BenchData().Tree();
        const fs::path output = BenchData().Scratch() / "zarn-upgrade.txt";
        const fs::path reference = data.layout.ReferenceTarget() / "Data";
        for (auto _ : state) {
            FreshPlayer(data);
            const Usage engine = CopyTreeWithEngine(data);

            FreshPlayer(data);
            const ProcessResult terminal = UpgradeWithZarnUpgrade(data.layout, output);
            CheckTree(data);

            FreshPlayer(data);
            const RunOutcome qt = UpgradeWithQtWindows(data.layout);
            ExpectCompleted(qt.status);
            CheckTree(data);

            EmptyFolder(reference.parent_path());
            SettleFileSystem(data.layout.Root());
            Usage theirs = CopyWithCp(data.hostSource, reference);
            theirs += SyncFiles(reference, RelativePaths(data.files));
            EmptyFolder(reference.parent_path());

            state.SetIterationTime(terminal.usage.wallSeconds);
            Report(state, "ref", theirs);
            Report(state, "engine", engine);
            Report(state, "terminal", terminal.usage);
            Report(state, "qt", qt.usage);
        }
        EmptyFolder(data.layout.Player());
    });
}

// The whole run's calls, futex among them: the hand-over's wake-ups per file.
void TreeTerminalSyscalls(benchmark::State& state) {
    Guarded(state, [&] {
        const TreeDataSet& data = BenchData().Tree();
        const fs::path summary = BenchData().Scratch() / "syscalls.txt";
        ProcessOptions options;
        options.standardOutput = BenchData().Scratch() / "zarn-upgrade.txt";
        for (auto _ : state) {
            EmptyFolder(data.layout.Player());
            const auto counts = CountSyscalls({KPZ_ZARN_UPGRADE, "--machine",
                                               data.layout.MachineFile().string(), "upgrade", "E:"},
                                              summary, options);
            CheckTree(data);
            state.SetIterationTime(1);
            state.SetLabel(SyscallCounter());
            ReportSyscalls(state, "run", counts, data.files.size());
        }
        EmptyFolder(data.layout.Player());
    });
}

}  // namespace

// Four copies of the tree with a sync per file: once is all a run of a few minutes allows.
BENCHMARK(TreeFrontEnds)
    ->Name("tree_10k_front_ends")
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(1)
    ->Unit(benchmark::kMillisecond);
// Counts do not vary from run to run: once is enough.
BENCHMARK(TreeTerminalSyscalls)
    ->Name("tree_10k_syscalls_terminal")
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(1);

}  // namespace bench
