#include "app/win32/device_list_control.h"

#include <commctrl.h>

namespace win32ui {

void DeviceListControl::SelectWholeRows() {
    ListView_SetExtendedListViewStyleEx(list_, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
}

void DeviceListControl::InsertColumn(int column, const DeviceListColumn& layout) {
    LVCOLUMNA spec{};
    spec.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    spec.fmt = layout.alignment == ColumnAlignment::Centre ? LVCFMT_CENTER : LVCFMT_LEFT;
    spec.cx = layout.widthPixels;
    spec.pszText = const_cast<char*>(layout.heading);
    spec.iSubItem = column;
    SendMessageA(list_, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&spec));
}

void DeviceListControl::DeleteAllRows() {
    SendMessageA(list_, LVM_DELETEALLITEMS, 0, 0);
}

int DeviceListControl::AppendRow(const std::string& firstCell) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = RowCount();
    item.pszText = const_cast<char*>(firstCell.c_str());
    return static_cast<int>(
        SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void DeviceListControl::SetCell(int row, int column, const std::string& text) {
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(list_, LVM_SETITEMTEXTA, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
}

std::string DeviceListControl::Cell(int row, int column) const {
    char text[MAX_PATH] = {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    SendMessageA(list_, LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
    return text;
}

void DeviceListControl::SetRowData(int row, long data) {
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.lParam = data;
    SendMessageA(list_, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

long DeviceListControl::RowData(int row) const {
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMessageA(list_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return 0;
    return static_cast<long>(item.lParam);
}

int DeviceListControl::RowCount() const {
    return static_cast<int>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0));
}

int DeviceListControl::FirstSelectedRow() const {
    return static_cast<int>(
        SendMessageA(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

}  // namespace win32ui
