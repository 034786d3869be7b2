// Dialog units to pixels, the way Windows converts them: from the dialog font's average
// character width (a horizontal unit is a quarter of it) and its height (a vertical unit is
// an eighth of it).
#pragma once

#include <QFont>
#include <QRect>

class QLabel;

namespace qtui {

// 8-point "MS Sans Serif" where the machine has it, else the closest sans-serif face.
QFont DialogFont();

// Where a face lacks MS Sans Serif's narrow letters, a static text would be cut off in the
// size the layout gives it: its font steps down by half points (to 6.5 at the least) until
// the wrapped text fits.
void FitTextToControl(QLabel* label);

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
