#include "app/qt/main_window_widgets.h"
#include "app/qt/code_page_text.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>

#include "app/main_window.h"
#include "app/qt/about_dialog.h"
#include "app/qt/app_icon.h"
#include "app/qt/dialog_units.h"
#include "app/qt/progress_window_widgets.h"
#include "app/qt/udisks_release.h"
#include "app/qt/volume_watch.h"
#include "platform/system.h"

namespace qtui {
namespace {

QString Text(const std::string& text) {
    return FromCodePage(text);
}

QLabel* AddText(QWidget* parent, const QRect& where, const char* text) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setGeometry(where);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    FitTextToControl(label);
    return label;
}

QPushButton* AddButton(QWidget* parent, const QRect& where, const char* text) {
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    button->setGeometry(where);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

QtMainWindow::QtMainWindow(CUpgradeUtilityDlg& dlg) : QDialog(nullptr), dlg_(dlg) {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(DialogFont());
    BuildControls();
    WatchVolumes();
}

// On a real computer the list follows the volumes as they come and go.
void QtMainWindow::WatchVolumes() {
    platform::HostDevices* devices = platform::Current().Devices();
    if (devices == nullptr) return;
    volumeWatch_ = new VolumeWatch(
        devices->VolumeTableFile(), [this] { dlg_.OnVolumesChanged(); }, this);
}

// A row's menu: Safely Remove, the design's Step 3 done for the user.
void QtMainWindow::ShowRowMenu(const QPoint& where) {
    QTreeWidgetItem* item = list_->itemAt(where);
    if (item == nullptr) return;
    const int row = list_->indexOfTopLevelItem(item);
    QMenu menu(this);
    menu.setFont(font());  // a popup takes no font from its window
    QAction* remove = menu.addAction(QStringLiteral("Safely Remove"));
    remove->setEnabled(dlg_.CanSafelyRemove(row));
    connect(remove, &QAction::triggered, this, [this, row] { SafelyRemoveRow(row); });
    menu.exec(list_->viewport()->mapToGlobal(where));
}

void QtMainWindow::SafelyRemoveRow(int row) {
    dlg_.OnSafelyRemove(row, *release_);
}

QtMainWindow::~QtMainWindow() = default;

QTextEdit* QtMainWindow::AddStepLabel(int id, const QRect& where, const QString& text) {
    auto* label = new QTextEdit(this);
    label->setGeometry(where);
    label->setReadOnly(true);
    label->setEnabled(false);
    label->setFrameShape(QFrame::NoFrame);
    label->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    label->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    label->document()->setDocumentMargin(0);
    // The dialog face colour behind bold text, and the text not greyed for being disabled.
    QPalette palette = label->palette();
    const QColor face = palette.color(QPalette::Window);
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, face);
        palette.setColor(group, QPalette::Text, palette.color(QPalette::Active, QPalette::Text));
    }
    label->setPalette(palette);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    label->setCurrentCharFormat(bold);
    label->setText(text);
    label->selectAll();
    label->mergeCurrentCharFormat(bold);
    label->moveCursor(QTextCursor::Start);
    controls_[id] = label;
    return label;
}

void QtMainWindow::BuildControls() {
    const DialogUnits du(font());
    setFixedSize(du.X(321), du.Y(213));
    setWindowIcon(AppIcon());

    auto* icon = new QLabel(this);
    icon->setPixmap(AppIconPixmap(32));
    icon->setGeometry(du.Rect(7, 7, 20, 20));
    AddStepLabel(IDC_STEP1, du.Rect(37, 11, 31, 12), QStringLiteral("Step 1:"));
    AddText(this, du.Rect(71, 11, 178, 20),
            "Select a Zarn device to upgrade.  Press Refresh to detect supported devices.");
    controls_[IDC_REFRESH] = AddButton(this, du.Rect(264, 12, 50, 14), "Refresh");
    AddText(this, du.Rect(7, 31, 304, 23),
            "NOTE:  The internal memory of the device must be active in order for the device to "
            "be properly detected and upgraded.  See the device's documentation for more "
            "details.");

    list_ = new QTreeWidget(this);
    list_->setGeometry(du.Rect(7, 54, 307, 80));
    list_->setRootIsDecorated(false);
    list_->setItemsExpandable(false);
    list_->setSortingEnabled(false);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setColumnCount(0);
    list_->header()->setSectionsMovable(false);
    list_->header()->setStretchLastSection(false);
    // The selection stays visible when the list is not focused.
    QPalette palette = list_->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight,
                     palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    list_->setPalette(palette);
    controls_[IDC_DEVICE_LIST] = list_;
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& where) { ShowRowMenu(where); });

    AddStepLabel(IDC_STEP2, du.Rect(7, 141, 31, 12), QStringLiteral("Step 2:"));
    AddText(this, du.Rect(40, 141, 267, 8),
            "Press Upgrade Device to upgrade the firmware for the selected device.");
    controls_[IDC_UPGRADE] = AddButton(this, du.Rect(79, 153, 158, 14), "Upgrade Device...");
    AddStepLabel(IDC_STEP3, du.Rect(7, 172, 31, 11), QStringLiteral("Step 3:"));
    AddText(this, du.Rect(40, 172, 274, 16),
            "Properly STOP the Zarn device from Windows.  Disconnect the USB cable from the "
            "device to resume device operation. The new firmware will now be loaded on the "
            "device.");
    AddText(this, du.Rect(7, 194, 206, 8),
            "Press Exit to exit the utility when all devices have been upgraded.");
    auto* exit = AddButton(this, du.Rect(264, 192, 50, 14), "Exit");
    exit->setDefault(true);
    controls_[IDC_EXIT] = exit;

    setTabOrder(controls_[IDC_REFRESH], list_);
    setTabOrder(list_, controls_[IDC_UPGRADE]);
    setTabOrder(controls_[IDC_UPGRADE], exit);

    connect(static_cast<QPushButton*>(controls_[IDC_REFRESH]), &QPushButton::clicked, this,
            [this] { dlg_.OnRefresh(); });
    connect(static_cast<QPushButton*>(controls_[IDC_UPGRADE]), &QPushButton::clicked, this,
            [this] { dlg_.OnUpgrade(); });
    connect(exit, &QPushButton::clicked, this, [this] { dlg_.OnExit(); });
}

QWidget* QtMainWindow::Control(int id) const {
    return controls_.value(id, nullptr);
}

void QtMainWindow::SetTitle(const std::string& title) {
    setWindowTitle(Text(title));
}

void QtMainWindow::AppendSystemMenuEntry(unsigned command, const std::string& caption) {
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    auto* entry = new QAction(Text(caption), this);
    connect(entry, &QAction::triggered, this, [this, command] { dlg_.OnSysCommand(command); });
    systemMenu_ << separator << entry;
}

void QtMainWindow::contextMenuEvent(QContextMenuEvent* event) {
    if (systemMenu_.isEmpty()) return;
    QMenu menu(this);
    menu.addActions(systemMenu_);
    menu.exec(event->globalPos());
}

void QtMainWindow::InsertColumn(int column, const DeviceListColumn& spec) {
    list_->setColumnCount(std::max(list_->columnCount(), column + 1));
    QTreeWidgetItem* header = list_->headerItem();
    header->setText(column, QString::fromLatin1(spec.heading));
    const Qt::Alignment alignment =
        spec.alignment == ColumnAlignment::Centre ? Qt::AlignHCenter : Qt::AlignLeft;
    header->setTextAlignment(column, alignment | Qt::AlignVCenter);
    list_->setColumnWidth(column, spec.widthPixels);
}

void QtMainWindow::CenterAndShow() {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    show();
    raise();
    activateWindow();
}

void QtMainWindow::ShowAboutBox() {
    CAboutDlg about(this);
    about.exec();
}

void QtMainWindow::EndDialog(int result) {
    endedWith_ = result;
    done(result);
}

int QtMainWindow::RunModalLoop() {
    if (endedWith_) return *endedWith_;
    return exec();
}

void QtMainWindow::DeleteAllRows() {
    list_->clear();
}

int QtMainWindow::AppendRow(const std::string& firstCell) {
    auto* item = new QTreeWidgetItem(list_);
    item->setText(kColumnDrive, Text(firstCell));
    for (int column = 0; column < list_->columnCount(); ++column) {
        const auto alignment = Qt::Alignment(list_->headerItem()->textAlignment(column));
        item->setTextAlignment(column, alignment);
    }
    return list_->indexOfTopLevelItem(item);
}

void QtMainWindow::SetCell(int row, int column, const std::string& text) {
    if (QTreeWidgetItem* item = list_->topLevelItem(row)) item->setText(column, Text(text));
}

std::string QtMainWindow::Cell(int row, int column) const {
    QTreeWidgetItem* item = list_->topLevelItem(row);
    return item ? ToCodePage(item->text(column)) : std::string();
}

void QtMainWindow::SetRowData(int row, long data) {
    if (QTreeWidgetItem* item = list_->topLevelItem(row)) {
        item->setData(0, Qt::UserRole, QVariant::fromValue<qlonglong>(data));
    }
}

long QtMainWindow::RowData(int row) const {
    QTreeWidgetItem* item = list_->topLevelItem(row);
    return item ? static_cast<long>(item->data(0, Qt::UserRole).toLongLong()) : 0;
}

int QtMainWindow::RowCount() const {
    return list_->topLevelItemCount();
}

int QtMainWindow::FirstSelectedRow() const {
    for (int row = 0; row < list_->topLevelItemCount(); ++row) {
        if (list_->topLevelItem(row)->isSelected()) return row;
    }
    return -1;
}

void QtMainWindow::EnableControl(int id, bool enable) {
    if (QWidget* control = Control(id)) control->setEnabled(enable);
}

void QtMainWindow::FocusControl(int id) {
    if (QWidget* control = Control(id)) control->setFocus();
}

unsigned QtMainWindow::SetTimer(unsigned id, unsigned milliseconds) {
    QTimer*& timer = timers_[id];
    if (timer == nullptr) {
        timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this, id] { dlg_.OnTimer(id); });
    }
    timer->start(static_cast<int>(milliseconds));
    return id;
}

void QtMainWindow::KillTimer(unsigned id) {
    if (QTimer* timer = timers_.value(id, nullptr)) timer->stop();
}

std::unique_ptr<ProgressWindowView> QtMainWindow::CreateProgressWindow(CUpgradeProgressDlg& dlg) {
    return std::make_unique<QtProgressView>(this, dlg);
}

void QtMainWindow::closeEvent(QCloseEvent* event) {
    event->ignore();  // the window's logic ends the dialog, or refuses with a beep
    dlg_.OnClose();
}

void QtMainWindow::reject() {
    dlg_.OnClose();
}

}  // namespace qtui
