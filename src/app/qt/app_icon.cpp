#include "app/qt/app_icon.h"

#include <QPainter>

namespace qtui {

QPixmap AppIconPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);

    // The player's body.
    painter.setPen(QPen(QColor(40, 40, 48), 1.2));
    painter.setBrush(QColor(70, 110, 170));
    painter.drawRoundedRect(QRectF(6, 1.5, 20, 29), 4, 4);
    // Its screen.
    painter.setBrush(QColor(190, 225, 200));
    painter.drawRoundedRect(QRectF(9, 4.5, 14, 10), 1.5, 1.5);
    painter.setPen(QPen(QColor(40, 80, 60), 1.4));
    painter.drawLine(QPointF(12, 11.5), QPointF(12, 7));
    painter.drawLine(QPointF(12, 7), QPointF(17, 6));
    painter.drawLine(QPointF(17, 6), QPointF(17, 10.5));
    // The control wheel.
    painter.setPen(QPen(QColor(40, 40, 48), 1.2));
    painter.setBrush(QColor(225, 228, 235));
    painter.drawEllipse(QPointF(16, 22.5), 5.5, 5.5);
    painter.setBrush(QColor(70, 110, 170));
    painter.drawEllipse(QPointF(16, 22.5), 2, 2);
    return pixmap;
}

QIcon AppIcon() {
    QIcon icon;
    icon.addPixmap(AppIconPixmap(16));
    icon.addPixmap(AppIconPixmap(32));
    return icon;
}

}  // namespace qtui
