// Runs the built zarn-upgrade and keeps what it printed and its exit status.
#pragma once

#include <string>
#include <vector>

namespace test {

struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
    std::vector<std::string> OutLines() const;
};

// Runs `program` with `args`, its output kept in files below `folder`.
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::string& folder);
// The same for the built zarn-upgrade.
ProgramRun RunZarnUpgrade(const std::vector<std::string>& args, const std::string& folder);

}  // namespace test
