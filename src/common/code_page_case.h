// Letter case in the system code page (Windows-1252): besides A-Z, the accented capitals
// C0h-DEh (not D7h) pair with E0h-FEh (not F7h), and 8Ah/9Ah, 8Ch/9Ch, 8Eh/9Eh, 9Fh/FFh.
// Comparisons "without regard to case" of identification strings use these pairs.
#pragma once

#include <string_view>

namespace common {

// The capital of a code-page letter; any other byte as it is.
char ToUpperCodePage(char c);

// Whole texts equal when each byte's capital is.
bool EqualsNoCaseCodePage(std::string_view a, std::string_view b);

}  // namespace common
