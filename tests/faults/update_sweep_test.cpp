// The library's system-file update with the player failing at its N-th file-system operation,
// for every N until a run goes through untouched; after each, a complete run.
#include "kpz/detection.h"
#include "support/sim_fixture.h"
#include "sweep.h"

namespace {

using faults::Fault;

constexpr const char* kInstallation = "C:\\Program Files\\Zarn";

std::vector<std::uint32_t> g_codes;

void Record(tagPORTDEVINFO&, std::uint32_t code, tagUPDATESYSFILEINFO*) {
    g_codes.push_back(code);
}

class Computer : public test::SimFixture {
  public:
    Computer() {
        faults::WriteInstallation(Host(kInstallation));
        drive_ = &AddDrive('E');
        faults::WritePlayer(Host("E:\\"), "E");
        installed_ = faults::ReadTree(Host(kInstallation));
        record_.driveLetter = 'E';
        record_.desc = dbtool::ToRecord(faults::PlayerModel());
    }
    void TestBody() override {}

    // Result 1 with code 2 last.
    bool Update() {
        g_codes.clear();
        const int result =
            KPZPortableDeviceDetectionUpdateSystemFiles(&record_, kInstallation, 0, 0, Record);
        return result == 1 && !g_codes.empty() && g_codes.back() == UPGSTAT_FINISHED;
    }

    faults::Outcome RunWith(Fault fault, unsigned n) {
        faults::ArmedFault armed(*drive_, fault, n);
        faults::Outcome outcome;
        outcome.succeeded = Update();
        bool gone = false;
        armed.Disarm(outcome, gone);
        // Copy errors inside a wildcard tree, and folders that can't be made, while the player
        // is there don't make the update fail.
        const bool proven = outcome.succeeded && gone;
        Check({true, outcome.succeeded, proven, false, proven}, "after the run", outcome.problems);
        if (!Update()) outcome.problems.push_back("the next run did not succeed");
        Check({false, true, true, false, true}, "after the next run", outcome.problems);
        return outcome;
    }

  private:
    void Check(const faults::DeviceCheck& check, const std::string& when,
               faults::Problems& problems) {
        faults::CheckComputer(Host("E:\\"), check, Host(kInstallation), installed_, when, problems);
    }

    sim::Drive* drive_ = nullptr;
    tagPORTDEVINFO record_;
    faults::Tree installed_;
};

TEST(UpdateSweep, UnpluggedAtEveryOperation) {
    faults::Sweep<Computer>(Fault::kUnplug);
}

TEST(UpdateSweep, AWriteFailingAtEveryOperation) {
    faults::Sweep<Computer>(Fault::kWriteFails);
}

}  // namespace
