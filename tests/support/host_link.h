// Links on the host, for tests that check that nothing is followed through one.
#pragma once

#include <string>

namespace test {

// A symbolic link at `link` to the folder `target`; false with `why` where the host makes none.
bool MakeHostFolderLink(const std::string& link, const std::string& target, std::string& why);

}  // namespace test
