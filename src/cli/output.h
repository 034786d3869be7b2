// Standard output of zarn-upgrade: text for people, the result as JSON with --json, and with
// --events one JSON line per notification and message box followed by the result.
#pragma once

#include <nlohmann/json.hpp>

#include <cstdio>
#include <string>

namespace cli {

// JSON with its keys in the order written.
using Json = nlohmann::ordered_json;

// A text of the system code page (a record's, a window's) as the UTF-8 the terminal and
// JSON take.
std::string Utf8(const std::string& codePageText);
// The columns a UTF-8 text takes on a terminal: one a character.
std::size_t TextWidth(const std::string& utf8);
// The text followed by blanks up to `width` columns.
std::string PaddedTo(std::string utf8, std::size_t width);

class Output {
  public:
    Output(bool json, bool events);
    ~Output() { EndProgress(); }
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    bool PrintsJson() const { return json_; }
    bool Events() const { return events_; }
    // Text for people: only without --json and --events.
    bool Text() const { return !json_; }

    void Line(const std::string& text);
    // A progress line: redrawn in place on a terminal, one line each elsewhere.
    void Progress(const std::string& text);
    // Ends a progress line drawn in place.
    void EndProgress();
    void Event(const Json& event);
    // The command's result: printed as JSON with --json or --events.
    void Result(const Json& result);
    // What is neither the result nor an event while JSON is printed: kept off standard output.
    void Note(const std::string& text);

    static std::string Dump(const Json& value);

  private:
    bool json_;
    bool events_;
    bool terminal_;
    bool progressOpen_ = false;
};

}  // namespace cli
