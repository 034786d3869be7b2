#pragma once

#include <string>

namespace common {

// Cuts white space and control characters (codes 0-31 and 127) off the end of the text, in
// place; codes 128-255 stay. A null text is left alone.
void TrimTrailingSpace(char* text);
void TrimTrailingSpace(std::string& text);

}  // namespace common
