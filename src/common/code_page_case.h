// Letter case in the system code page (Windows-1252): besides A-Z, the accented capitals
// C0h-DEh (not D7h) pair with E0h-FEh (not F7h), and 8Ah/9Ah, 8Ch/9Ch, 8Eh/9Eh, 9Fh/FFh.
// Comparisons "without regard to case" of identification strings use these pairs.
#pragma once

#include <cstddef>
#include <string_view>

namespace common {

// The capital of a code-page letter; any other byte as it is.
char ToUpperCodePage(char c);

// Whole texts equal when each byte's capital is.
bool EqualsNoCaseCodePage(std::string_view a, std::string_view b);

// The same against a zero-terminated text of at most `capacity` bytes, read no further than
// needed: a database holds thousands of such fields, compared with every drive.
bool EqualsNoCaseCodePage(std::string_view a, const char* b, std::size_t capacity);

template <std::size_t N>
bool EqualsNoCaseCodePage(std::string_view a, const char (&b)[N]) {
    return EqualsNoCaseCodePage(a, b, N);
}

}  // namespace common
