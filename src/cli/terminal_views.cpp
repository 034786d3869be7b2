#include "cli/terminal_views.h"

#include "cli/status_events.h"

namespace cli {
namespace {

constexpr int kBarWidth = 30;

std::string BarText(int lower, int upper, int position) {
    const long span = static_cast<long>(upper) - lower;
    const long done = static_cast<long>(position) - lower;
    const int filled = span > 0 ? static_cast<int>(done * kBarWidth / span) : 0;
    return "[" + std::string(filled, '#') + std::string(kBarWidth - filled, '.') + "] " +
           std::to_string(done) + "/" + std::to_string(span);
}

}  // namespace

void TerminalProgressView::Show() {
    HeadlessProgressView::Show();
    if (output_.Text()) output_.Line(Utf8(deviceLine));
}

void TerminalProgressView::Repaint() {
    HeadlessProgressView::Repaint();
    if (!output_.Text()) return;
    const std::string drawn = "  " + BarText(lower, upper, position) + "  " + statusLine;
    if (drawn == lastDrawn_) return;
    lastDrawn_ = drawn;
    output_.Progress(Utf8(drawn));
}

void TerminalProgressView::Received(std::uint32_t code, const tagUPDATESYSFILEINFO* info) {
    output_.Event(StatusEvent(code, info));
}

}  // namespace cli
