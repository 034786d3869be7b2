// detect: the players the three-argument enumeration reports, one a line.
#include <algorithm>
#include <cstring>

#include "app/device_notices.h"
#include "cli/detect_trace.h"
#include "cli/players.h"
#include "cli/record_json.h"
#include "cli/session.h"

namespace cli {
namespace {

template <std::size_t N>
std::string Trimmed(const char (&member)[N]) {
    std::string text(member, strnlen(member, N));
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

void PrintTable(Output& output, const std::vector<std::vector<std::string>>& rows) {
    std::vector<std::size_t> widths(rows.front().size(), 0);
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            widths[i] = std::max(widths[i], TextWidth(row[i]));
        }
    }
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t i = 0; i < row.size(); ++i) {
            std::string cell = row[i];
            if (i + 1 < row.size()) cell = PaddedTo(cell, widths[i] + 2);
            line += cell;
        }
        output.Line(line);
    }
}

}  // namespace

int RunDetect(Session& session, ArgumentList& arguments) {
    const bool traced = arguments.Flag("--trace");
    arguments.Finish();
    const DetectTrace trace(session.machine);
    const std::vector<tagPORTDEVINFO> players = DetectPlayers();
    if (const std::string notices = TakeDeviceNoticeText(); !notices.empty()) {
        session.output.Note(notices);
    }
    Json result = Json::array();
    std::vector<std::vector<std::string>> rows = {
        {"Drive", "Vendor", "Product", "Name", "Serial", "State", "System files"}};
    for (const tagPORTDEVINFO& player : players) {
        result.push_back(DeviceJson(player));
        const tagPORTDEVDESC& desc = player.desc;
        rows.push_back({std::string{player.driveLetter, ':'}, Utf8(Trimmed(desc.vendorId)),
                        Utf8(Trimmed(desc.productId)), Utf8(Trimmed(desc.displayName)),
                        desc.serialNumber[0] ? Utf8(Trimmed(desc.serialNumber)) : "-",
                        std::to_string(desc.deviceState), desc.hasSystemFiles ? "yes" : "no"});
    }
    if (session.output.Text()) {
        if (players.empty()) {
            session.output.Line("No players detected.");
        } else {
            PrintTable(session.output, rows);
        }
        if (traced) trace.Print(session.output);
    }
    if (traced) {
        if (!trace.Recorded() && !session.output.Text()) session.output.Note(kNotRecorded);
        result = Json{{"players", std::move(result)},
                      {"diagnostics", trace.Diagnostics()},
                      {"services", trace.Services()}};
    }
    session.output.Result(result);
    return kExitDone;
}

}  // namespace cli
