#include "app/qt/about_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "app/about_notice.h"
#include "app/qt/app_icon.h"
#include "app/qt/dialog_units.h"

namespace qtui {
namespace {

QLabel* AddLabel(QWidget* parent, const QString& text, const QRect& where) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(where);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    FitTextToControl(label);
    return label;
}

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setFont(DialogFont());
    const DialogUnits du(font());
    setWindowTitle(QStringLiteral("About Zarn Upgrade Utility"));
    setWindowIcon(AppIcon());
    setFixedSize(du.X(235), du.Y(85));

    auto* frame = new QGroupBox(this);
    frame->setGeometry(du.Rect(7, 4, 221, 56));

    auto* icon = new QLabel(this);
    icon->setPixmap(AppIconPixmap(32));
    icon->setGeometry(du.Rect(14, 14, 21, 20));

    AddLabel(this, QStringLiteral("Zarn Upgrade Utility\nVersion 1.0.1.0"),
             du.Rect(44, 14, 176, 18))
        ->setObjectName(QStringLiteral("versionText"));
    AddLabel(this, QString::fromLatin1(kAboutNotice), du.Rect(44, 36, 176, 20))
        ->setObjectName(QStringLiteral("noticeText"));

    m_pOkButton = new QPushButton(QStringLiteral("OK"), this);
    m_pOkButton->setGeometry(du.Rect(178, 65, 50, 14));
    m_pOkButton->setDefault(true);
    m_pOkButton->setAutoDefault(true);
    connect(m_pOkButton, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace qtui
