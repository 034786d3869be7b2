// The device list's rows in the list-view control: cells as texts of the system code page,
// each row with its item data.
#pragma once

#include <string>

#include "app/window_ids.h"

#include "app/win32/dialog_template.h"

namespace win32ui {

class DeviceListControl {
  public:
    explicit DeviceListControl(HWND list) : list_(list) {}

    // Whole-row selection, keeping the other extended styles.
    void SelectWholeRows();
    void InsertColumn(int column, const DeviceListColumn& layout);
    void DeleteAllRows();
    int AppendRow(const std::string& firstCell);
    void SetCell(int row, int column, const std::string& text);
    std::string Cell(int row, int column) const;
    void SetRowData(int row, long data);
    long RowData(int row) const;
    int RowCount() const;
    int FirstSelectedRow() const;

  private:
    HWND list_;
};

}  // namespace win32ui
