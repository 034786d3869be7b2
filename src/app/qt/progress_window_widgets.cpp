#include "app/qt/progress_window_widgets.h"
#include "app/qt/code_page_text.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "app/progress_window.h"
#include "app/qt/app_icon.h"
#include "app/qt/dialog_units.h"

namespace qtui {
namespace {

QLabel* AddLabel(QWidget* parent, int id, const QRect& where, const QString& text = {}) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QStringLiteral("control%1").arg(id));
    label->setGeometry(where);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    return label;
}

}  // namespace

ProgressDialogWidget::ProgressDialogWidget(QWidget* owner, CUpgradeProgressDlg& dlg)
    : QDialog(owner), dlg_(dlg) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setModal(false);
    setFont(DialogFont());
    const DialogUnits du(font());
    setWindowTitle(QStringLiteral("Zarn Jukebox - Update System Files"));
    setWindowIcon(AppIcon());
    setFixedSize(du.X(284), du.Y(87));

    AddLabel(this, IDC_PROGRESS_ICON, du.Rect(7, 6, 21, 20))->setPixmap(AppIconPixmap(32));
    device_ = AddLabel(this, IDC_DEVICE_LINE, du.Rect(36, 6, 241, 12));
    AddLabel(this, IDC_UPGRADING_TEXT, du.Rect(36, 23, 241, 12),
             QStringLiteral("Upgrading Firmware..."));
    status_ = AddLabel(this, IDC_STATUS_LINE, du.Rect(36, 38, 241, 27));
    status_->setWordWrap(true);

    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("control%1").arg(IDC_PROGRESS_BAR));
    bar_->setGeometry(du.Rect(36, 69, 186, 11));
    bar_->setTextVisible(false);
    bar_->setRange(0, 1);
    bar_->setValue(0);

    button_ = new QPushButton(QStringLiteral("Cancel"), this);
    button_->setObjectName(QStringLiteral("control%1").arg(IDC_PROGRESS_BUTTON));
    button_->setGeometry(du.Rect(227, 66, 50, 14));
    button_->setDefault(true);
    connect(button_, &QPushButton::clicked, this, [this] { dlg_.OnButtonOrClose(); });
}

void ProgressDialogWidget::closeEvent(QCloseEvent* event) {
    event->ignore();  // the window's logic decides whether it goes
    dlg_.OnButtonOrClose();
}

void ProgressDialogWidget::reject() {
    dlg_.OnButtonOrClose();
}

QtProgressView::QtProgressView(QWidget* owner, CUpgradeProgressDlg& dlg)
    : widget_(new ProgressDialogWidget(owner, dlg)) {}

QtProgressView::~QtProgressView() {
    Destroy();
}

void QtProgressView::ShowTexts(const std::string& statusLine, const std::string& deviceLine) {
    if (!widget_) return;
    widget_->StatusLabel()->setText(FromCodePage(statusLine));
    widget_->DeviceLabel()->setText(FromCodePage(deviceLine));
}

void QtProgressView::ShowBar(int lower, int upper, int position) {
    if (!widget_) return;
    // An empty range is an empty bar, as on Windows (Qt would show a busy indicator).
    if (upper <= lower) {
        widget_->Bar()->setRange(0, 1);
        widget_->Bar()->setValue(0);
        return;
    }
    widget_->Bar()->setRange(lower, upper);
    widget_->Bar()->setValue(std::clamp(position, lower, upper));
}

void QtProgressView::ShowButton(const std::string& caption, bool enabled) {
    if (!widget_) return;
    widget_->Button()->setText(FromCodePage(caption));
    widget_->Button()->setEnabled(enabled);
}

void QtProgressView::Show() {
    if (!widget_) return;
    widget_->show();
    widget_->raise();
}

void QtProgressView::Repaint() {
    if (widget_) widget_->repaint();
}

void QtProgressView::Destroy() {
    if (!widget_) return;
    widget_->hide();
    widget_->deleteLater();  // may be inside one of its own handlers
    widget_ = nullptr;
}

}  // namespace qtui
