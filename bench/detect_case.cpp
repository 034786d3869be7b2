// A Refresh's enumeration with a database of 10,000 entries and 24 drives (C: and 23 players
// on D:-Z:), against the same enumeration with a database of only the players' 23 entries.
#include "case_helpers.h"
#include "kpz/detection.h"
#include "platform/scripted_ui.h"
#include "platform/sim/machine.h"
#include "support/data_sets.h"

namespace bench {
namespace {

std::unique_ptr<sim::Machine> DetectMachine(const DetectDataSet& data) {
    auto machine = std::make_unique<sim::Machine>();
    machine->AddDrive('C', win32::DRIVE_FIXED, (data.root / "c").string());
    for (std::size_t i = 0; i < data.playerProducts.size(); ++i) {
        const char letter = static_cast<char>('D' + i);
        sim::Drive& drive = machine->AddDrive(letter, win32::DRIVE_REMOVABLE,
                                              (data.root / std::string(1, letter + 32)).string());
        drive.inquiry = sim::Inquiry{"Velmora ", data.playerProducts[i], "1.00"};
        drive.vpd80 = std::vector<std::uint8_t>{0x00, 0x80, 0x00, 0x04, 'Z', 'B', '0', '1'};
        drive.vpdC0 = std::vector<std::uint8_t>{0x00, 0x00};
    }
    return machine;
}

int CountPlayer(tagPORTDEVINFO&, long counter) {
    ++*reinterpret_cast<int*>(counter);
    return 1;
}

// The players found with the database at `path`.
int Enumerate(const std::string& path) {
    int found = 0;
    const int result = KPZPortableDeviceDetectionEnumDevices(path.c_str(), &CountPlayer,
                                                             reinterpret_cast<long>(&found));
    if (result != found) Expect("the enumeration gave " + std::to_string(result));
    return found;
}

void Detect(benchmark::State& state) {
    Guarded(state, [&] {
        const DetectDataSet& data = BenchData().Detect();
        auto machine = DetectMachine(data);
        platform::ScopedSystem installed(*machine);
        platform::ScriptedUserInterface ui;
        platform::ScopedUserInterface uiInstalled(ui);
        const int players = static_cast<int>(data.playerProducts.size());
        Usage ours, theirs;
        for (auto _ : state) {
            Stopwatch oursWatch;
            const int foundOurs = Enumerate(data.fullDatabase);
            const Usage one = oursWatch.Stop();
            Stopwatch theirsWatch;
            const int foundTheirs = Enumerate(data.playersDatabase);
            theirs += theirsWatch.Stop();
            ours += one;
            if (foundOurs != players || foundTheirs != players) Expect("players missing");
            state.SetIterationTime(one.wallSeconds);
        }
        const double runs = double(state.iterations());
        state.counters["ours_ms"] = ours.wallSeconds * 1000 / runs;
        state.counters["ours_cpu_ms"] = ours.cpuSeconds * 1000 / runs;
        state.counters["ref_ms"] = theirs.wallSeconds * 1000 / runs;
        state.counters["ref_cpu_ms"] = theirs.cpuSeconds * 1000 / runs;
        state.counters["wall_ratio"] = ours.wallSeconds / theirs.wallSeconds;
        state.counters["entries"] = data.entries;
        state.counters["drives"] = players + 1;
    });
}

}  // namespace

BENCHMARK(Detect)
    ->Name("detect_10k_entries_24_drives")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace bench
