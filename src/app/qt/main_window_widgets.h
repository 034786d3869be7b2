// The main window's widgets: a 321 x 213 dialog-unit window with the three steps, the device
// list and the buttons, in the design's tab order.
#pragma once

#include <QDialog>
#include <QMap>
#include <memory>
#include <optional>

#include "app/qt/udisks_release.h"
#include "app/qt/volume_watch.h"
#include "app/window_views.h"

class QPushButton;
class QTimer;
class QTreeWidget;
class QTextEdit;

class CUpgradeUtilityDlg;

namespace qtui {

class QtMainWindow : public QDialog, public MainWindowView {
  public:
    explicit QtMainWindow(CUpgradeUtilityDlg& dlg);
    ~QtMainWindow() override;

    win32::HWND Handle() override { return static_cast<QWidget*>(this); }
    void SetTitle(const std::string& title) override;
    void AppendSystemMenuEntry(unsigned command, const std::string& caption) override;
    void InsertColumn(int column, const DeviceListColumn& spec) override;
    void CenterAndShow() override;
    void ShowAboutBox() override;
    void EndDialog(int result) override;
    int RunModalLoop() override;

    void DeleteAllRows() override;
    int AppendRow(const std::string& firstCell) override;
    void SetCell(int row, int column, const std::string& text) override;
    std::string Cell(int row, int column) const override;
    void SetRowData(int row, long data) override;
    long RowData(int row) const override;
    int RowCount() const override;
    int FirstSelectedRow() const override;

    void EnableControl(int id, bool enable) override;
    void FocusControl(int id) override;
    unsigned SetTimer(unsigned id, unsigned milliseconds) override;
    void KillTimer(unsigned id) override;
    std::unique_ptr<ProgressWindowView> CreateProgressWindow(CUpgradeProgressDlg& dlg) override;

    QTreeWidget* DeviceList() const { return list_; }
    // The release behind Safely Remove; a test puts a stand-in in its place.
    void SetVolumeRelease(std::unique_ptr<VolumeRelease> release) { release_ = std::move(release); }
    // Safely Remove on a row, as its menu's entry does it.
    void SafelyRemoveRow(int row);
    // Whether the list follows the computer's volumes.
    bool WatchingVolumes() const { return volumeWatch_ != nullptr && volumeWatch_->Watching(); }
    QWidget* Control(int id) const;
    // The entries standing in for the system menu, which Linux window managers don't offer.
    const QList<QAction*>& SystemMenuActions() const { return systemMenu_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void BuildControls();
    void WatchVolumes();
    void ShowRowMenu(const QPoint& where);
    QTextEdit* AddStepLabel(int id, const QRect& where, const QString& text);

    CUpgradeUtilityDlg& dlg_;
    QTreeWidget* list_ = nullptr;
    QMap<int, QWidget*> controls_;
    QMap<unsigned, QTimer*> timers_;
    QList<QAction*> systemMenu_;
    std::optional<int> endedWith_;
    std::unique_ptr<VolumeRelease> release_ = std::make_unique<UdisksRelease>();
    VolumeWatch* volumeWatch_ = nullptr;
};

}  // namespace qtui
