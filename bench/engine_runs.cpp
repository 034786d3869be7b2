#include "engine_runs.h"

#include <set>

#include "case_helpers.h"
#include "engine/file_copy.h"
#include "engine/folder_operations.h"
#include "engine/folder_tree.h"
#include "support/recorder.h"

namespace bench {
namespace {

// Every file and folder of the tree is one step.
std::size_t StepsOf(const TreeDataSet& data) {
    std::set<fs::path> folders;
    for (const DataFile& file : data.files) folders.insert(file.relative.parent_path());
    return data.files.size() + folders.size();
}

}  // namespace

Usage CopyFileWithEngine(const FileDataSet& data) {
    SimulatedComputer computer(data.layout);
    if (CreateFolderPath(data.deviceFolder.c_str(), 1) != 1) {
        Expect(data.deviceFolder + " cannot be made");
    }
    Stopwatch watch;
    const int result =
        CopyFileToDevice(data.source.c_str(), data.deviceFolder.c_str(), data.entry.c_str(), 0);
    const Usage usage = watch.Stop();
    if (result != kFileCopied) Expect("CopyFileToDevice: " + std::to_string(result));
    Expect(CheckCopy(data.layout.Player(), {{fs::path("System") / data.entry, data.size}}));
    return usage;
}

Usage CopyTreeWithEngine(const TreeDataSet& data) {
    SimulatedComputer computer(data.layout);
    NotificationRecorder recorder;
    tagPORTDEVINFO device;
    device.driveLetter = 'E';
    Stopwatch watch;
    const int made = CreateFolderPath(data.targetFolder.c_str(), 1);
    const int result = CopyFolderTree(&device, data.pattern.c_str(), data.targetFolder.c_str(),
                                      recorder.Callback());
    const Usage usage = watch.Stop();
    if (made != 1 || result != kTreeCopied) Expect("CopyFolderTree: " + std::to_string(result));
    if (recorder.Count(UPGSTAT_STEP) != StepsOf(data)) Expect("CopyFolderTree: steps missing");
    Expect(CheckCopy(data.layout.Player() / "System" / "Data", data.files));
    return usage;
}

}  // namespace bench
