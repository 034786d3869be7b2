// The main window's widgets on Windows: the dialog made from its template, created modeless
// and run modally by a loop of its own (as the framework runs a modal dialog), so the logic
// can initialise it before the loop starts.
#pragma once

#include <optional>

#include "app/main_window.h"
#include "app/window_views.h"

#include "app/win32/device_list_control.h"

namespace win32ui {

class MainWindowDialog : public MainWindowView {
  public:
    explicit MainWindowDialog(CUpgradeUtilityDlg& dlg);
    ~MainWindowDialog() override;
    MainWindowDialog(const MainWindowDialog&) = delete;
    MainWindowDialog& operator=(const MainWindowDialog&) = delete;

    win32::HWND Handle() override { return window_; }
    void SetTitle(const std::string& title) override;
    void AppendSystemMenuEntry(unsigned command, const std::string& caption) override;
    void InsertColumn(int column, const DeviceListColumn& layout) override;
    void CenterAndShow() override;
    void ShowAboutBox() override;
    void EndDialog(int result) override;
    int RunModalLoop() override;

    void DeleteAllRows() override { list_.DeleteAllRows(); }
    int AppendRow(const std::string& firstCell) override { return list_.AppendRow(firstCell); }
    void SetCell(int row, int column, const std::string& text) override;
    std::string Cell(int row, int column) const override { return list_.Cell(row, column); }
    void SetRowData(int row, long data) override { list_.SetRowData(row, data); }
    long RowData(int row) const override { return list_.RowData(row); }
    int RowCount() const override { return list_.RowCount(); }
    int FirstSelectedRow() const override { return list_.FirstSelectedRow(); }

    void EnableControl(int id, bool enable) override;
    void FocusControl(int id) override;
    unsigned SetTimer(unsigned id, unsigned milliseconds) override;
    void KillTimer(unsigned id) override;
    std::unique_ptr<ProgressWindowView> CreateProgressWindow(CUpgradeProgressDlg& dlg) override;

  private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT message, WPARAM wParam);
    bool Command(WORD id);
    void PaintMinimised();
    void PrepareStepLabels();

    CUpgradeUtilityDlg& dlg_;
    HWND window_ = nullptr;
    HICON icon_ = nullptr;
    DeviceListControl list_{nullptr};
    std::optional<int> endedWith_;
};

}  // namespace win32ui
