// The upgrade through the main window's run and completion check, with the player failing at
// its N-th file-system operation, for every N until a run goes through untouched; after each,
// a complete run on the same computer.
#include <string>

#include "../app/front_end_fixture.h"
#include "database/database_writer.h"
#include "player_scenario.h"

namespace {

using Problems = std::vector<std::string>;

enum class Fault { kUnplug, kWriteFails };

struct Outcome {
    bool fired = false;      // the fault happened within the run
    bool succeeded = false;  // the row says the upgrade completed successfully
    Problems problems;       // what was wrong afterwards, this run's and the next complete one's
};

class Computer : public test::FrontEndFixture {
  public:
    Computer() {
        test::WriteHostFile(Host(std::string(kInstallation) + "\\KPZSupportedPortableDevices.bin"),
                            dbtool::DatabaseWriter().Entry(faults::PlayerModel()).Bytes());
        faults::WriteInstallation(Host(kInstallation));
        AddPlayer('E', "ZJ-20");
        faults::WritePlayer(Host("E:\\"), "E");
        installed_ = faults::ReadTree(Host(kInstallation));
    }
    void TestBody() override {}

    // One upgrade of the first row; true when the row reports success.
    bool Upgrade() {
        if (dlg_.OnRefresh() != 1) return false;
        view_.Select({0});
        dlg_.UpgradeSelectedDevice();
        RunUntilIdle();
        return view_.Cell(0, kColumnUpdateStatus).rfind("Upgrade completed successfully", 0) == 0;
    }

    Outcome RunWith(Fault fault, unsigned n) {
        OpenWindow();
        sim::Drive& drive = *machine_.FindDrive('E');
        const unsigned at = drive.operations + n;
        (fault == Fault::kUnplug ? drive.unplugAfterOps : drive.failWriteAtOp) = at;
        Outcome outcome;
        outcome.succeeded = Upgrade();
        outcome.fired = fault == Fault::kUnplug ? !drive.present : drive.operations >= at;
        // A folder that can't be made while the player is there is no failure of the run.
        const bool gone = !drive.present;
        drive.present = true;  // plugged in again to be looked at, and for the next run
        drive.unplugAfterOps = drive.failWriteAtOp = 0;
        Check({true, outcome.succeeded, outcome.succeeded && gone}, "after the run",
              outcome.problems);
        if (!Upgrade()) outcome.problems.push_back("the next run did not succeed");
        Check({false, true, true}, "after the next run", outcome.problems);
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

TEST(UpgradeSweep, UnpluggedAtEveryOperation) {
    Sweep(Fault::kUnplug);
}

TEST(UpgradeSweep, AWriteFailingAtEveryOperation) {
    Sweep(Fault::kWriteFails);
}

}  // namespace
