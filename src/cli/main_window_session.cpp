#include "cli/main_window_session.h"

#include <algorithm>

#include "app/application.h"

namespace cli {

MainWindowSession::MainWindowSession(Session& session)
    : dlg_(session.loop), view_(dlg_, session.loop, session.output) {
    g_theApp.SetMainWindow(&dlg_);
}

MainWindowSession::~MainWindowSession() {
    dlg_.OnDestroy();
    g_theApp.SetMainWindow(nullptr);
}

int MainWindowSession::Open() {
    return dlg_.OnInitDialog(view_);
}

int MainWindowSession::RowOfDrive(char letter) const {
    const std::string drive{letter, ':'};
    for (int row = 0; row < view_.RowCount(); ++row) {
        if (view_.Cell(row, kColumnDrive) == drive) return row;
    }
    return -1;
}

void PrintRows(Output& output, const HeadlessMainWindowView& view) {
    std::size_t widths[kColumnCount];
    for (int column = 0; column < kColumnCount; ++column) {
        widths[column] = std::string(kDeviceListColumns[column].heading).size();
        for (int row = 0; row < view.RowCount(); ++row) {
            widths[column] = std::max(widths[column], TextWidth(Utf8(view.Cell(row, column))));
        }
    }
    auto line = [&](auto cell) {
        std::string text;
        for (int column = 0; column < kColumnCount; ++column) {
            std::string value = cell(column);
            if (column + 1 < kColumnCount) value = PaddedTo(value, widths[column] + 2);
            text += value;
        }
        while (!text.empty() && text.back() == ' ') text.pop_back();
        output.Line(text);
    };
    line([](int column) { return std::string(kDeviceListColumns[column].heading); });
    for (int row = 0; row < view.RowCount(); ++row) {
        line([&](int column) { return Utf8(view.Cell(row, column)); });
    }
}

Json RowsJson(const HeadlessMainWindowView& view) {
    static const char* const kKeys[kColumnCount] = {"drive", "device", "currentVersion",
                                                    "upgradeVersion", "updateStatus"};
    Json rows = Json::array();
    for (int row = 0; row < view.RowCount(); ++row) {
        Json cells = Json::object();
        for (int column = 0; column < kColumnCount; ++column) {
            cells[kKeys[column]] = Utf8(view.Cell(row, column));
        }
        rows.push_back(cells);
    }
    return rows;
}

}  // namespace cli
