// The progress window's widgets: 284 x 87 dialog units, "Zarn Jukebox - Update System Files".
#pragma once

#include <QDialog>
#include <QPointer>

#include "app/window_views.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace qtui {

class ProgressDialogWidget : public QDialog {
  public:
    ProgressDialogWidget(QWidget* owner, CUpgradeProgressDlg& dlg);

    QLabel* StatusLabel() const { return status_; }
    QLabel* DeviceLabel() const { return device_; }
    QProgressBar* Bar() const { return bar_; }
    QPushButton* Button() const { return button_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

  private:
    CUpgradeProgressDlg& dlg_;
    QLabel* device_;
    QLabel* status_;
    QProgressBar* bar_;
    QPushButton* button_;
};

// The view the window's logic owns; the widget goes with Destroy or with the view.
class QtProgressView : public ProgressWindowView {
  public:
    QtProgressView(QWidget* owner, CUpgradeProgressDlg& dlg);
    ~QtProgressView() override;

    void ShowTexts(const std::string& statusLine, const std::string& deviceLine) override;
    void ShowBar(int lower, int upper, int position) override;
    void ShowButton(const std::string& caption, bool enabled) override;
    void Show() override;
    void Repaint() override;
    void Destroy() override;

    ProgressDialogWidget* Widget() const { return widget_; }

  private:
    QPointer<ProgressDialogWidget> widget_;
};

}  // namespace qtui
