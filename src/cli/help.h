// The --help texts of the program and of each command.
#pragma once

#include <string>

namespace cli {

std::string ProgramHelp();
// The command's help; empty for a command that doesn't exist.
std::string CommandHelp(const std::string& command);

}  // namespace cli
