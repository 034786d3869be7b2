#include "sweep.h"

namespace faults {

ArmedFault::ArmedFault(sim::Drive& drive, Fault fault, unsigned n)
    : drive(drive), fault(fault), at(drive.operations + n) {
    (fault == Fault::kUnplug ? drive.unplugAfterOps : drive.failWriteAtOp) = at;
}

void ArmedFault::Disarm(Outcome& outcome, bool& gone) {
    gone = !drive.present;
    outcome.fired = fault == Fault::kUnplug ? gone : drive.operations >= at;
    drive.present = true;
    drive.unplugAfterOps = drive.failWriteAtOp = 0;
}

void CheckComputer(const std::string& driveHost, const DeviceCheck& check,
                   const std::string& installationHost, const Tree& installed,
                   const std::string& when, Problems& problems) {
    for (const auto& problem : CheckPlayer(driveHost, "E", check)) {
        problems.push_back(when + ": " + problem);
    }
    if (ReadTree(installationHost) != installed) {
        problems.push_back(when + ": the installation changed");
    }
}

}  // namespace faults
