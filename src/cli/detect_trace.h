// detect --trace: what a detection wrote to its diagnostic channels and which Windows 98/Me
// services it called, as a simulated machine records them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "cli/output.h"
#include "platform/sim/machine.h"

namespace cli {

inline constexpr const char* kNotRecorded =
    "Diagnostics and service calls are recorded on a simulated machine only (--machine).";

class DetectTrace {
  public:
    // Starts where the machine's records stand now; without a machine nothing is recorded.
    explicit DetectTrace(const sim::Machine* machine);

    // What was recorded since: [{"channel": "stdout"|"debugger", "text": ...}] and the calls.
    Json Diagnostics() const;
    Json Services() const;
    bool Recorded() const { return machine_ != nullptr; }

    // The same for people, after the players.
    void Print(Output& output) const;

  private:
    const sim::Machine* machine_;
    std::size_t diagnosticsBefore_ = 0;
    std::size_t servicesBefore_ = 0;
};

}  // namespace cli
