#include "cli/terminal_ui.h"

namespace cli {
namespace {

const char* AnswerName(int answer) {
    switch (answer) {
        case win32::IDYES:
            return "yes";
        case win32::IDNO:
            return "no";
        default:
            return "ok";
    }
}

}  // namespace

int TerminalUserInterface::MessageBox(win32::HWND, const std::string& text,
                                      const std::string& caption, win32::UINT flags) {
    const bool question = (flags & win32::MB_TYPEMASK) == win32::MB_YESNO;
    const int answer = question ? (answerYes_ ? win32::IDYES : win32::IDNO) : win32::IDOK;
    const bool information = (flags & win32::MB_ICONMASK) == win32::MB_ICONINFORMATION;
    output_.Event({{"messageBox",
                    {{"caption", Utf8(caption)},
                     {"text", Utf8(text)},
                     {"icon", information ? "information" : "warning"},
                     {"buttons", question ? "yesno" : "ok"},
                     {"answer", AnswerName(answer)}}}});
    output_.Note(Utf8("[" + caption + "] " + text));
    if (question) output_.Note(std::string("  -> answered ") + (answerYes_ ? "Yes" : "No"));
    return answer;
}

}  // namespace cli
