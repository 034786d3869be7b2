// Starting a built program with its output going to files, and waiting for it.
#pragma once

#include <string>
#include <vector>

namespace test {

// The program's exit status (128 + the signal when one ended it); throws when it cannot start.
int SpawnAndWait(const std::string& program, const std::vector<std::string>& args,
                 const std::string& outPath, const std::string& errPath);

}  // namespace test
