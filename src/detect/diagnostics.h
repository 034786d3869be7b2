// The library's diagnostic texts: they go to the standard output stream or to the debugger
// output, and never reach the user.
#pragma once

#include <string>

namespace detect {

// printf-style formatting into a text of any length.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

void WriteStandardOutput(const std::string& text);
void WriteDebugger(const std::string& text);

}  // namespace detect
