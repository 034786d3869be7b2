#include "cli/output.h"

#include <unistd.h>

#include "common/code_page.h"

namespace cli {

std::string Utf8(const std::string& codePageText) {
    return common::CodePageToUtf8(codePageText);
}

std::size_t TextWidth(const std::string& utf8) {
    std::size_t width = 0;
    for (unsigned char c : utf8) {
        if ((c & 0xC0) != 0x80) ++width;  // not a continuation byte
    }
    return width;
}

std::string PaddedTo(std::string utf8, std::size_t width) {
    const std::size_t used = TextWidth(utf8);
    if (used < width) utf8.append(width - used, ' ');
    return utf8;
}

Output::Output(bool json, bool events)
    : json_(json || events), events_(events), terminal_(::isatty(STDOUT_FILENO) == 1) {}

std::string Output::Dump(const Json& value) {
    // Texts come in the system code page; bytes that aren't UTF-8 are shown replaced.
    return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

void Output::Line(const std::string& text) {
    EndProgress();
    std::fputs(text.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void Output::Progress(const std::string& text) {
    if (!terminal_) {
        Line(text);
        return;
    }
    std::fputs(("\r\033[K" + text).c_str(), stdout);
    std::fflush(stdout);
    progressOpen_ = true;
}

void Output::EndProgress() {
    if (!progressOpen_) return;
    progressOpen_ = false;
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void Output::Event(const Json& event) {
    if (events_) Line(Dump(event));
}

void Output::Result(const Json& result) {
    if (json_) Line(Dump(result));
}

void Output::Note(const std::string& text) {
    if (Text()) {
        Line(text);
    } else if (!events_) {
        std::fprintf(stderr, "%s\n", text.c_str());
        std::fflush(stderr);
    }
}

}  // namespace cli
