#pragma once

#include <string_view>

namespace platform::posix {

// Windows file-name pattern matching, ASCII case ignored: "*" and "*.*" match every name; '*'
// is any run; '?' is one character, or none before a period or at the end of the name ("a??.*"
// matches "a"); a '.' before a wildcard may match the end of the name ("abc.*" matches "abc");
// "*." at the end matches the names without an extension. Short 8.3 names are not matched.
bool MatchesWildcard(std::string_view pattern, std::string_view name);

}  // namespace platform::posix
