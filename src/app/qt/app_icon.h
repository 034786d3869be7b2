// The application icon: our own drawing of a portable jukebox, at 16 and 32 pixels.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace qtui {

QPixmap AppIconPixmap(int size);
QIcon AppIcon();

}  // namespace qtui
