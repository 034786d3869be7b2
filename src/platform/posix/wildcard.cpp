#include "platform/posix/wildcard.h"

#include <cstddef>

#include "platform/ascii.h"

namespace platform::posix {
namespace {

// Iterative glob with single-star backtracking.
bool Glob(std::string_view pattern, std::string_view name) {
    std::size_t p = 0, n = 0;
    std::size_t starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' || ToLowerAscii(pattern[p]) == ToLowerAscii(name[n]))) {
            ++p;
            ++n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

}  // namespace

bool MatchesWildcard(std::string_view pattern, std::string_view name) {
    if (pattern == "*" || pattern == "*.*") return true;
    if (pattern.size() > 1 && pattern.back() == '.' && name != "." && name != "..") {
        if (name.find('.') != std::string_view::npos) return false;
        return Glob(pattern.substr(0, pattern.size() - 1), name);
    }
    return Glob(pattern, name);
}

}  // namespace platform::posix
