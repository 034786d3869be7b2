// Dialog units to pixels, the way Windows converts them: from the dialog font's average
// character width (a horizontal unit is a quarter of it) and its height (a vertical unit is
// an eighth of it).
#pragma once

#include <QFont>
#include <QRect>

namespace qtui {

// 8-point "MS Sans Serif" where the machine has it, else the closest sans-serif face.
QFont DialogFont();

class DialogUnits {
  public:
    explicit DialogUnits(const QFont& font);

    int X(int units) const;
    int Y(int units) const;
    QRect Rect(int x, int y, int width, int height) const;
    int BaseX() const { return baseX_; }
    int BaseY() const { return baseY_; }

  private:
    int baseX_;
    int baseY_;
};

}  // namespace qtui
