// The upgrade through the main window's run and completion check, with the player failing at
// its N-th file-system operation, for every N until a run goes through untouched; after each,
// a complete run on the same computer.
#include "../app/front_end_fixture.h"
#include "database/database_writer.h"
#include "sweep.h"

namespace {

using faults::Fault;

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

    faults::Outcome RunWith(Fault fault, unsigned n) {
        OpenWindow();
        faults::ArmedFault armed(*machine_.FindDrive('E'), fault, n);
        faults::Outcome outcome;
        outcome.succeeded = Upgrade();
        bool gone = false;
        armed.Disarm(outcome, gone);
        // A folder that can't be made while the player is there is no failure of the run.
        Check({true, outcome.succeeded, outcome.succeeded && gone}, "after the run",
              outcome.problems);
        if (!Upgrade()) outcome.problems.push_back("the next run did not succeed");
        Check({false, true, true}, "after the next run", outcome.problems);
        return outcome;
    }

  private:
    void Check(const faults::DeviceCheck& check, const std::string& when,
               faults::Problems& problems) {
        faults::CheckComputer(Host("E:\\"), check, Host(kInstallation), installed_, when, problems);
    }

    faults::Tree installed_;
};

TEST(UpgradeSweep, UnpluggedAtEveryOperation) {
    faults::Sweep<Computer>(Fault::kUnplug);
}

TEST(UpgradeSweep, AWriteFailingAtEveryOperation) {
    faults::Sweep<Computer>(Fault::kWriteFails);
}

}  // namespace
