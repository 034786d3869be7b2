// Widgets without a screen: the windows' views held in memory, for the terminal and the tests.
// Timers tick on an EventLoop, which is also the user-interface thread of the run.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/event_loop.h"
#include "app/window_views.h"

class CUpgradeUtilityDlg;

class HeadlessProgressView : public ProgressWindowView {
  public:
    void ShowTexts(const std::string& statusLine, const std::string& deviceLine) override;
    void ShowBar(int lower, int upper, int position) override;
    void ShowButton(const std::string& caption, bool enabled) override;
    void Show() override { shown = true; }
    void Repaint() override { ++repaints; }
    void Destroy() override { destroyed = true; }

    std::string statusLine;
    std::string deviceLine;
    int lower = 0, upper = 0, position = 0;
    std::string caption;
    bool buttonEnabled = false;
    bool shown = false;
    bool destroyed = false;
    int repaints = 0;
};

class HeadlessMainWindowView : public MainWindowView {
  public:
    struct Row {
        std::vector<std::string> cells;
        long data = 0;
    };

    HeadlessMainWindowView(CUpgradeUtilityDlg& dlg, EventLoop& loop) : dlg_(dlg), loop_(loop) {}
    ~HeadlessMainWindowView() override;

    win32::HWND Handle() override { return this; }
    void SetTitle(const std::string& text) override { title = text; }
    void AppendSystemMenuEntry(unsigned command, const std::string& caption) override;
    void InsertColumn(int column, const DeviceListColumn& spec) override;
    void CenterAndShow() override { shown = true; }
    void ShowAboutBox() override { ++aboutBoxes; }
    void EndDialog(int result) override;
    int RunModalLoop() override;

    void DeleteAllRows() override;
    int AppendRow(const std::string& firstCell) override;
    void SetCell(int row, int column, const std::string& text) override;
    std::string Cell(int row, int column) const override;
    void SetRowData(int row, long data) override;
    long RowData(int row) const override;
    int RowCount() const override { return static_cast<int>(rows.size()); }
    int FirstSelectedRow() const override;

    void EnableControl(int id, bool enable) override { enabled[id] = enable; }
    void FocusControl(int id) override { focus = id; }
    bool IsEnabled(int id) const;  // controls start enabled

    unsigned SetTimer(unsigned id, unsigned milliseconds) override;
    void KillTimer(unsigned id) override;

    std::unique_ptr<ProgressWindowView> CreateProgressWindow(CUpgradeProgressDlg& dlg) override;

    // Selects the rows given (and no other).
    void Select(std::set<int> selectedRows) { selected = std::move(selectedRows); }
    // The progress views made so far, kept after their window has gone; null when none.
    HeadlessProgressView* LastProgressView() const;
    bool TimerRunning(unsigned id) const { return timers_.count(id) != 0; }

    std::string title;
    std::vector<std::pair<unsigned, std::string>> systemMenu;
    std::vector<DeviceListColumn> columns;
    std::vector<Row> rows;
    std::set<int> selected;
    std::map<int, bool> enabled;
    int focus = 0;
    bool shown = false;
    int aboutBoxes = 0;
    bool ended = false;
    int result = 0;

  protected:
    // Makes one progress view; null to fail the window's creation.
    virtual std::unique_ptr<HeadlessProgressView> MakeProgressView();

    CUpgradeUtilityDlg& dlg_;
    EventLoop& loop_;

  public:
    std::vector<std::shared_ptr<HeadlessProgressView>> progressViews;

  private:
    std::set<unsigned> timers_;
};
