// The library's system-file update with the player failing at its N-th file-system operation,
// for every N until a run goes through untouched; after each, a complete run.
#include <string>

#include "kpz/detection.h"
#include "player_scenario.h"
#include "support/sim_fixture.h"

namespace {

using Problems = std::vector<std::string>;

constexpr const char* kInstallation = "C:\\Program Files\\Zarn";

enum class Fault { kUnplug, kWriteFails };

std::vector<std::uint32_t> g_codes;

void Record(tagPORTDEVINFO&, std::uint32_t code, tagUPDATESYSFILEINFO*) {
    g_codes.push_back(code);
}

struct Outcome {
    bool fired = false;
    bool succeeded = false;  // result 1 and code 2 last
    Problems problems;
};

class Computer : public test::SimFixture {
  public:
    Computer() {
        faults::WriteInstallation(Host(kInstallation));
        sim::Drive& drive = AddDrive('E');
        drive_ = &drive;
        faults::WritePlayer(Host("E:\\"), "E");
        installed_ = faults::ReadTree(Host(kInstallation));
        record_.driveLetter = 'E';
        record_.desc = dbtool::ToRecord(faults::PlayerModel());
    }
    void TestBody() override {}

    bool Update() {
        g_codes.clear();
        const int result =
            KPZPortableDeviceDetectionUpdateSystemFiles(&record_, kInstallation, 0, 0, Record);
        return result == 1 && !g_codes.empty() && g_codes.back() == UPGSTAT_FINISHED;
    }

    Outcome RunWith(Fault fault, unsigned n) {
        const unsigned at = drive_->operations + n;
        (fault == Fault::kUnplug ? drive_->unplugAfterOps : drive_->failWriteAtOp) = at;
        Outcome outcome;
        outcome.succeeded = Update();
        outcome.fired = fault == Fault::kUnplug ? !drive_->present : drive_->operations >= at;
        // Copy errors inside a wildcard tree, and folders that can't be made, while the player
        // is there don't make the update fail.
        const bool gone = !drive_->present;
        drive_->present = true;
        drive_->unplugAfterOps = drive_->failWriteAtOp = 0;
        const bool succeeded = outcome.succeeded;
        Check({true, succeeded, succeeded && gone, false, succeeded && gone}, "after the run",
              outcome.problems);
        if (!Update()) outcome.problems.push_back("the next run did not succeed");
        Check({false, true, true, false, true}, "after the next run", outcome.problems);
        return outcome;
    }

  private:
    void Check(const faults::DeviceCheck& check, const std::string& when, Problems& problems) {
        for (const auto& problem : faults::CheckPlayer(Host("E:\\"), "E", check)) {
            problems.push_back(when + ": " + problem);
        }
        if (faults::ReadTree(Host(kInstallation)) != installed_) {
            problems.push_back(when + ": the installation changed");
        }
    }

    sim::Drive* drive_ = nullptr;
    tagPORTDEVINFO record_;
    faults::Tree installed_;
};

void Sweep(Fault fault) {
    unsigned runs = 0;
    for (unsigned n = 1;; ++n) {
        ASSERT_LT(n, 5000u) << "the run never ended";
        Outcome outcome;
        {
            Computer computer;
            outcome = computer.RunWith(fault, n);
        }
        ++runs;
        EXPECT_EQ(outcome.problems, Problems{}) << "fault at operation " << n;
        if (!outcome.fired) {
            EXPECT_TRUE(outcome.succeeded) << "an untouched run failed at operation " << n;
            break;
        }
    }
    std::printf("%u faulted runs, each followed by a complete one\n", runs);
}

TEST(UpdateSweep, UnpluggedAtEveryOperation) {
    Sweep(Fault::kUnplug);
}

TEST(UpdateSweep, AWriteFailingAtEveryOperation) {
    Sweep(Fault::kWriteFails);
}

}  // namespace
