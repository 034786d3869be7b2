#include "cli/session.h"
#include "platform/ascii.h"
#include "platform/win32.h"

namespace cli {

char ParseDrive(const std::string& text) {
    const bool shape = (text.size() == 1 || (text.size() == 2 && text[1] == ':')) &&
                       platform::IsAsciiLetter(text[0]);
    if (!shape) throw UsageError("not a drive: " + text + " (expected a letter such as E or E:)");
    const char letter = platform::ToUpperAscii(text[0]);
    if ((win32::GetLogicalDrives() & (1u << (letter - 'A'))) == 0) {
        throw UsageError(std::string("unknown drive ") + letter + ":");
    }
    return letter;
}

}  // namespace cli
