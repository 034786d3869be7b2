// What the host's drive table costs the file-system core, which asks it for the drive's
// folder on every path: the table is kept in memory and read again only when the mount
// table has changed (POLLPRI on /proc/self/mountinfo, a stat of a stand-in file).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/posix/host_system.h"
#include "platform/win32.h"

namespace {

namespace fs = std::filesystem;

// A fixture computer: one USB disk sdb, its file system mounted, and a file on it.
struct FixtureComputer {
    FixtureComputer() {
        std::string pattern = (fs::temp_directory_path() / "kpz-bench-XXXXXX").string();
        root = ::mkdtemp(pattern.data());
        const fs::path disk = root / "sys/devices/usb2/2-1/2-1:1.0/host6/block/sdb";
        fs::create_directories(disk);
        fs::create_directories(root / "sys/dev/block");
        std::ofstream(root / "sys/devices/usb2/2-1/2-1:1.0/bInterfaceClass") << "08\n";
        std::ofstream(disk / "removable") << "0\n";
        fs::create_directory_symlink(disk, root / "sys/dev/block/8:16");
        fs::create_directories(root / "media/ZARN/System");
        std::ofstream(root / "media/ZARN/System/QDAV3180.mi4") << "image";
        std::ofstream(root / "mountinfo")
            << "21 1 0:20 / /proc rw - proc proc rw\n"
            << "90 1 8:16 / " << (root / "media/ZARN").string() << " rw - vfat /dev/sdb rw\n";
    }
    ~FixtureComputer() { fs::remove_all(root); }

    platform::posix::HostPaths Paths() const {
        return {(root / "mountinfo").string(), (root / "sys").string()};
    }

    fs::path root;
};

void EnterRemovableDrive(benchmark::State& state) {
    FixtureComputer computer;
    platform::posix::HostSystem host(computer.Paths(), platform::posix::MakeSgIoCommands());
    std::string folder;
    for (auto _ : state) benchmark::DoNotOptimize(host.EnterDrive('D', folder));
}
BENCHMARK(EnterRemovableDrive);

// The kernel's own mount table: a poll() with no wait per question.
void EnterDriveOnTheRealMountTable(benchmark::State& state) {
    platform::posix::HostSystem host;
    std::string folder;
    for (auto _ : state) benchmark::DoNotOptimize(host.EnterDrive('D', folder));
}
BENCHMARK(EnterDriveOnTheRealMountTable);

// A whole file-system call on a removable drive, and the same file through Z:.
void FileAttributes(benchmark::State& state) {
    FixtureComputer computer;
    platform::posix::HostSystem host(computer.Paths(), platform::posix::MakeSgIoCommands());
    platform::ScopedSystem installed(host);
    const std::string path = state.range(0) == 0
                                 ? std::string("D:\\System\\QDAV3180.mi4")
                                 : platform::posix::HostSystem::WindowsPathOf(
                                       (computer.root / "media/ZARN/System/QDAV3180.mi4").string());
    for (auto _ : state) benchmark::DoNotOptimize(win32::GetFileAttributesA(path.c_str()));
    state.SetLabel(state.range(0) == 0 ? "D: (removable)" : "Z: (the host's root)");
}
BENCHMARK(FileAttributes)->Arg(0)->Arg(1);

}  // namespace

BENCHMARK_MAIN();
