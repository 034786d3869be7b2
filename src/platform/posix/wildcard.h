#pragma once

#include <string_view>

namespace platform::posix {

// Windows file-name pattern matching: '*' any run, '?' one character, ASCII case ignored;
// "*.*" matches every name and a pattern ending in "." matches names without an extension.
bool MatchesWildcard(std::string_view pattern, std::string_view name);

}  // namespace platform::posix
