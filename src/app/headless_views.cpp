#include "app/headless_views.h"

#include "app/main_window.h"

namespace {

// The progress window's view as the window logic owns it; the widgets behind it stay with the
// main view, so what a window showed can be looked at after it has gone.
class KeptProgressView : public ProgressWindowView {
  public:
    explicit KeptProgressView(std::shared_ptr<HeadlessProgressView> kept)
        : kept_(std::move(kept)) {}
    void ShowTexts(const std::string& status, const std::string& device) override {
        kept_->ShowTexts(status, device);
    }
    void ShowBar(int lower, int upper, int position) override {
        kept_->ShowBar(lower, upper, position);
    }
    void ShowButton(const std::string& caption, bool enabled) override {
        kept_->ShowButton(caption, enabled);
    }
    void Show() override { kept_->Show(); }
    void Repaint() override { kept_->Repaint(); }
    void Destroy() override { kept_->Destroy(); }
    void Received(std::uint32_t code, const tagUPDATESYSFILEINFO* info) override {
        kept_->Received(code, info);
    }

  private:
    std::shared_ptr<HeadlessProgressView> kept_;
};

}  // namespace

void HeadlessProgressView::ShowTexts(const std::string& status, const std::string& device) {
    statusLine = status;
    deviceLine = device;
}

void HeadlessProgressView::ShowBar(int low, int high, int pos) {
    lower = low;
    upper = high;
    position = pos;
}

void HeadlessProgressView::ShowButton(const std::string& text, bool enable) {
    caption = text;
    buttonEnabled = enable;
}

HeadlessMainWindowView::~HeadlessMainWindowView() {
    for (unsigned id : timers_) loop_.StopTimer(id);
}

void HeadlessMainWindowView::AppendSystemMenuEntry(unsigned command, const std::string& caption) {
    systemMenu.emplace_back(command, caption);
}

void HeadlessMainWindowView::InsertColumn(int column, const DeviceListColumn& spec) {
    columns.insert(columns.begin() + std::min<std::size_t>(column, columns.size()), spec);
}

void HeadlessMainWindowView::EndDialog(int code) {
    ended = true;
    result = code;
}

int HeadlessMainWindowView::RunModalLoop() {
    loop_.RunUntil([this] { return ended; });
    return result;
}

void HeadlessMainWindowView::DeleteAllRows() {
    rows.clear();
    selected.clear();
}

int HeadlessMainWindowView::AppendRow(const std::string& firstCell) {
    Row row;
    row.cells.assign(columns.empty() ? std::size_t{kColumnCount} : columns.size(), "");
    row.cells[0] = firstCell;
    rows.push_back(std::move(row));
    return static_cast<int>(rows.size()) - 1;
}

void HeadlessMainWindowView::SetCell(int row, int column, const std::string& text) {
    if (row < 0 || row >= RowCount()) return;
    auto& cells = rows[static_cast<std::size_t>(row)].cells;
    if (column >= 0 && static_cast<std::size_t>(column) < cells.size()) {
        cells[static_cast<std::size_t>(column)] = text;
    }
}

std::string HeadlessMainWindowView::Cell(int row, int column) const {
    if (row < 0 || row >= RowCount()) return {};
    const auto& cells = rows[static_cast<std::size_t>(row)].cells;
    if (column < 0 || static_cast<std::size_t>(column) >= cells.size()) return {};
    return cells[static_cast<std::size_t>(column)];
}

void HeadlessMainWindowView::SetRowData(int row, long data) {
    if (row >= 0 && row < RowCount()) rows[static_cast<std::size_t>(row)].data = data;
}

long HeadlessMainWindowView::RowData(int row) const {
    // Like a list control, a row that doesn't exist has the item data 0.
    if (row < 0 || row >= RowCount()) return 0;
    return rows[static_cast<std::size_t>(row)].data;
}

int HeadlessMainWindowView::FirstSelectedRow() const {
    for (int row : selected) {
        if (row >= 0 && row < RowCount()) return row;
    }
    return -1;
}

bool HeadlessMainWindowView::IsEnabled(int id) const {
    auto it = enabled.find(id);
    return it == enabled.end() || it->second;
}

unsigned HeadlessMainWindowView::SetTimer(unsigned id, unsigned milliseconds) {
    timers_.insert(id);
    loop_.StartTimer(id, milliseconds, [this, id] { dlg_.OnTimer(id); });
    return id;
}

void HeadlessMainWindowView::KillTimer(unsigned id) {
    timers_.erase(id);
    loop_.StopTimer(id);
}

std::unique_ptr<ProgressWindowView> HeadlessMainWindowView::CreateProgressWindow(
    CUpgradeProgressDlg&) {
    std::shared_ptr<HeadlessProgressView> view = MakeProgressView();
    if (!view) return nullptr;
    progressViews.push_back(view);
    return std::make_unique<KeptProgressView>(std::move(view));
}

HeadlessProgressView* HeadlessMainWindowView::LastProgressView() const {
    return progressViews.empty() ? nullptr : progressViews.back().get();
}

std::unique_ptr<HeadlessProgressView> HeadlessMainWindowView::MakeProgressView() {
    return std::make_unique<HeadlessProgressView>();
}
