// What every fuzz target stands on: a simulated computer whose drive C: lies in a fresh
// temporary folder, installed for the life of the process, and a user interface that shows
// nothing. Inputs reach the code under test as files on that drive.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/sim/machine.h"

namespace fuzz {

// The machine, made and installed on first use.
sim::Machine& Machine();

// The host folder behind drive C:.
const std::string& DriveFolder();

// Writes the input as C:\<name> and gives that Windows path.
std::string WriteInput(const char* name, const std::uint8_t* data, std::size_t size);

}  // namespace fuzz
