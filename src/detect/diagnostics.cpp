#include "detect/diagnostics.h"

#include <cstdarg>
#include <cstdio>

#include "platform/system.h"
#include "platform/win32.h"

namespace detect {

std::string FormatText(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    va_list measuring;
    va_copy(measuring, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, measuring);
    va_end(measuring);
    std::string text(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
    if (length > 0) std::vsnprintf(text.data(), text.size() + 1, format, arguments);
    va_end(arguments);
    return text;
}

void WriteStandardOutput(const std::string& text) {
    platform::Current().WriteStandardOutput(text);
}

void WriteDebugger(const std::string& text) {
    win32::OutputDebugStringA(text.c_str());
}

}  // namespace detect
