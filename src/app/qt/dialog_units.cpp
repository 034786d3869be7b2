#include "app/qt/dialog_units.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QStringList>

namespace qtui {
namespace {

// Windows' MulDiv: a * b / c rounded to the nearest integer.
int MulDiv(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    return static_cast<int>((product + (product >= 0 ? c / 2 : -c / 2)) / c);
}

}  // namespace

QFont DialogFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    // Faces with the same proportions where the machine lacks it (Liberation Sans and Arimo
    // share Arial's metrics, which are close to MS Sans Serif's).
    const QStringList families = {"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans",
                                  "Arimo", "Arial"};
    font.setFamilies(families);
    font.setPointSize(8);
    font.setStyleHint(QFont::SansSerif, QFont::PreferMatch);
    return font;
}

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    static const QString kAlphabet =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    // The average width of the alphabet, rounded as Windows rounds it.
    baseX_ = (metrics.horizontalAdvance(kAlphabet) / 26 + 1) / 2;
    baseY_ = metrics.height();
    if (baseX_ <= 0) baseX_ = 1;
    if (baseY_ <= 0) baseY_ = 1;
}

int DialogUnits::X(int units) const {
    return MulDiv(units, baseX_, 4);
}
int DialogUnits::Y(int units) const {
    return MulDiv(units, baseY_, 8);
}

QRect DialogUnits::Rect(int x, int y, int width, int height) const {
    return QRect(X(x), Y(y), X(width), Y(height));
}

void FitTextToControl(QLabel* label) {
    QFont font = label->font();
    const QRect box(0, 0, label->width(), 100000);
    const int flags = Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop;
    for (qreal size = font.pointSizeF(); size >= 6.5; size -= 0.5) {
        font.setPointSizeF(size);
        if (QFontMetrics(font).boundingRect(box, flags, label->text()).height() <=
            label->height()) {
            break;
        }
    }
    label->setFont(font);
}

}  // namespace qtui
