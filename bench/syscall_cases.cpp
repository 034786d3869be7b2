// System calls per copied file of the tree copy: CopyFolderTree in a process of its own
// against cp -r + sync -d of the same tree.
#include <fstream>

#include "case_helpers.h"
#include "support/data_sets.h"
#include "support/references.h"

namespace bench {
namespace {

// cp -r and sync -d of every copied file in one counted run (the shell and xargs add a few
// hundred calls to the whole run, a few hundredths a file).
std::vector<std::string> ReferenceCommand(const TreeDataSet& data, const fs::path& target) {
    const fs::path list = BenchData().Scratch() / "copied-files";
    std::ofstream out(list, std::ios::binary | std::ios::trunc);
    for (const DataFile& file : data.files) out << file.relative.string() << '\0';
    out.close();
    return {"sh",
            "-c",
            "cp -r \"$1\" \"$2\" && cd \"$2\" && xargs -0 sync -d -- < \"$3\"",
            "sh",
            data.hostSource.string(),
            target.string(),
            list.string()};
}

void TreeSyscalls(benchmark::State& state) {
    Guarded(state, [&] {
        const TreeDataSet& data = BenchData().Tree();
        const fs::path summary = BenchData().Scratch() / "syscalls.txt";
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
            const auto theirs = CountSyscalls(ReferenceCommand(data, reference), summary);
            Expect(CheckCopy(reference, data.files));
            EmptyFolder(reference.parent_path());

            state.SetIterationTime(1);
            state.SetLabel(SyscallCounter());
            ReportSyscalls(state, "ours", ours, data.files.size());
            ReportSyscalls(state, "ref", theirs, data.files.size());
        }
    });
}

}  // namespace

// Counts do not vary from run to run: once is enough.
BENCHMARK(TreeSyscalls)->Name("tree_10k_syscalls")->UseManualTime()->Iterations(1)->Repetitions(1);

}  // namespace bench
