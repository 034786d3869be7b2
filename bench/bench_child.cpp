// kpz-bench-child: one copy on a simulated computer in a process of its own, so that its peak
// memory and its system calls can be measured from outside.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "engine/file_copy.h"
#include "engine/folder_operations.h"
#include "engine/folder_tree.h"
#include "support/computer.h"
#include "support/data_sets.h"
#include "support/recorder.h"

namespace {

constexpr const char* kUsage =
    "Usage: kpz-bench-child copy-file COMPUTER SOURCE DEVICE_FOLDER ENTRY\n"
    "       kpz-bench-child copy-tree COMPUTER PATTERN TARGET_FOLDER\n"
    "       kpz-bench-child make-tree FOLDER\n"
    "\n"
    "COMPUTER is a folder laid out by the benchmarks (machine.json, c/, e/); the paths after\n"
    "it are Windows paths on that computer. copy-file runs CopyFileToDevice, copy-tree\n"
    "CreateFolderPath and CopyFolderTree with a callback that records every notification.\n"
    "Exit status 0 when the copy succeeded.\n"
    "make-tree lays out the benchmarks' 10,000-file tree computer in FOLDER/tree and prints\n"
    "the copy-tree command for it, to be profiled (perf record, strace).\n";

int CopyFile(char** args) {
    bench::SimulatedComputer computer{bench::ComputerLayout(args[0])};
    const int result = CopyFileToDevice(args[1], args[2], args[3], 0);
    std::printf("CopyFileToDevice: %d\n", result);
    return result == kFileCopied ? 0 : 1;
}

int CopyTree(char** args) {
    bench::SimulatedComputer computer{bench::ComputerLayout(args[0])};
    bench::NotificationRecorder recorder;
    tagPORTDEVINFO device;
    device.driveLetter = args[2][0];
    if (CreateFolderPath(args[2], 1) != 1) {
        std::fprintf(stderr, "kpz-bench-child: %s cannot be created\n", args[2]);
        return 1;
    }
    const int result = CopyFolderTree(&device, args[1], args[2], recorder.Callback());
    std::printf("CopyFolderTree: %d, %zu steps\n", result, recorder.Count(UPGSTAT_STEP));
    return result == kTreeCopied ? 0 : 1;
}

int MakeTree(const char* folder) {
    bench::DataSets data(folder);
    const bench::TreeDataSet& tree = data.Tree();
    std::printf("kpz-bench-child copy-tree '%s' '%s' '%s'\n", tree.layout.Root().c_str(),
                tree.pattern.c_str(), tree.targetFolder.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        if (argc == 6 && std::strcmp(argv[1], "copy-file") == 0) return CopyFile(argv + 2);
        if (argc == 5 && std::strcmp(argv[1], "copy-tree") == 0) return CopyTree(argv + 2);
        if (argc == 3 && std::strcmp(argv[1], "make-tree") == 0) return MakeTree(argv[2]);
        const bool help = argc == 2 && (std::strcmp(argv[1], "--help") == 0);
        std::fputs(kUsage, help ? stdout : stderr);
        return help ? 0 : 2;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "kpz-bench-child: %s\n", error.what());
        return 1;
    }
}
