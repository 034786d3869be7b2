// The sweep itself: a run on a fresh computer with the player failing at its N-th file-system
// operation, for N = 1, 2, ... until the fault no longer fires; each run checked, and followed
// by a complete run on the same computer.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/sim/machine.h"
#include "player_scenario.h"

namespace faults {

enum class Fault { kUnplug, kWriteFails };

using Problems = std::vector<std::string>;

struct Outcome {
    bool fired = false;      // the fault happened within the run
    bool succeeded = false;  // the run reported success
    Problems problems;       // what was wrong after it, and after the next complete run
};

// The player fails at its n-th operation from now.
struct ArmedFault {
    ArmedFault(sim::Drive& drive, Fault fault, unsigned n);
    // Plugs the player in again with no fault; whether it fired, and whether the player had gone.
    void Disarm(Outcome& outcome, bool& gone);

    sim::Drive& drive;
    Fault fault;
    unsigned at;
};

// Adds what is wrong on the player (CheckPlayer) and whether the installation changed.
void CheckComputer(const std::string& driveHost, const DeviceCheck& check,
                   const std::string& installationHost, const Tree& installed,
                   const std::string& when, Problems& problems);

// `Computer` is made afresh for every N; its RunWith(fault, n) gives the outcome.
template <class Computer>
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

}  // namespace faults
