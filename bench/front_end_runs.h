// One upgrade of the player on E: through the front end, from "Upgrade Device..." until the
// completion check has written the row: with the windows held in memory, with the Qt windows,
// or by zarn-upgrade in a process of its own.
#pragma once

#include <cstdint>
#include <string>

#include "support/computer.h"
#include "support/processes.h"
#include "support/usage.h"

namespace bench {

struct RunOutcome {
    Usage usage;
    std::string status;               // the row's Update Status afterwards
    std::uint64_t sleptMilliseconds;  // the pauses, on the simulated machine's virtual clock
};

// The main window's logic with the headless views on an event loop (the terminal's).
RunOutcome UpgradeWithHeadlessViews(const ComputerLayout& layout);

// The Qt main window and progress window (on the platform QApplication was given, offscreen
// in the benchmarks).
RunOutcome UpgradeWithQtWindows(const ComputerLayout& layout);

// `zarn-upgrade --machine FILE upgrade E:`, its terminal lines written to `output`; the time
// includes the process's start, its Refresh and its exit.
ProcessResult UpgradeWithZarnUpgrade(const ComputerLayout& layout, const fs::path& output);

// Throws unless the status reads "Upgrade completed successfully ...".
void ExpectCompleted(const std::string& status);

}  // namespace bench
