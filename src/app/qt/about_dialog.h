// The About box: 235 x 85 dialog units, shown modally from the main window's system menu.
#pragma once

#include <QDialog>

class QPushButton;

namespace qtui {

class CAboutDlg : public QDialog {
  public:
    explicit CAboutDlg(QWidget* parent = nullptr);
    QPushButton* OkButton() const { return m_pOkButton; }

  private:
    QPushButton* m_pOkButton;
};

}  // namespace qtui
