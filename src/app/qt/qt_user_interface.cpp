#include "app/qt/qt_user_interface.h"
#include "app/qt/code_page_text.h"

#include <QApplication>
#include <QMessageBox>

namespace qtui {
namespace {

using namespace win32;

QMessageBox::Icon IconFor(UINT flags) {
    switch (flags & MB_ICONMASK) {
        case MB_ICONHAND:
            return QMessageBox::Critical;
        case MB_ICONQUESTION:
            return QMessageBox::Question;
        case MB_ICONEXCLAMATION:
            return QMessageBox::Warning;
        case MB_ICONASTERISK:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

int ShowBox(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
    QMessageBox box(IconFor(flags), FromCodePage(caption), FromCodePage(text),
                    QMessageBox::NoButton, static_cast<QWidget*>(owner));
    const bool question = (flags & MB_TYPEMASK) == MB_YESNO;
    if (question) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    const int answer = box.exec();
    if (!question) return IDOK;
    return answer == QMessageBox::Yes ? IDYES : IDNO;
}

}  // namespace

int QtUserInterface::MessageBox(HWND owner, const std::string& text, const std::string& caption,
                                UINT flags) {
    int answer = (flags & MB_TYPEMASK) == MB_YESNO ? IDNO : IDOK;
    uiThread_.Send([&] { answer = ShowBox(owner, text, caption, flags); });
    return answer;
}

void QtUserInterface::MessageBeep(UINT) {
    uiThread_.Send([] { QApplication::beep(); });
}

void QtUserInterface::ShowWaitCursor(bool wait) {
    uiThread_.Send([this, wait] {
        if (wait == waitShown_) return;
        waitShown_ = wait;
        if (wait) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
        } else {
            QApplication::restoreOverrideCursor();
        }
    });
}

}  // namespace qtui
