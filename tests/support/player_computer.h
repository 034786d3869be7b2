// A simulated computer with the utility installed in C:\Zarn (one model, ZJ-20, whose system
// file is firmware 01.20) and that model's players on E: and G: with firmware 01.10; its
// clock reads 09:05:07.
#pragma once

#include <string>

#include "platform/sim/machine.h"
#include "support/temp_dir.h"

namespace test {

// A firmware image of the model, 672 bytes, carrying `version` ("01.20").
std::string PlayerFirmwareImage(const std::string& version);

class PlayerComputer {
  public:
    PlayerComputer();

    TempDir temp;
    sim::Machine machine;
};

}  // namespace test
