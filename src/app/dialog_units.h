#pragma once
// Dialog units, the resolution-independent measure of the form and dialog
// layouts: a horizontal unit is a quarter of the font's average character
// width, a vertical unit an eighth of its height.
#include <QFont>
#include <QFontMetrics>
#include <QRect>

namespace kavir::app {

class DialogUnits {
 public:
  explicit DialogUnits(const QFont& font) {
    const QFontMetrics fm(font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    char_width_ = (fm.horizontalAdvance(letters) / 26 + 1) / 2;
    char_height_ = fm.height();
  }
  int X(int du) const { return du * char_width_ / 4; }
  int Y(int du) const { return du * char_height_ / 8; }
  QRect Rect(int x, int y, int w, int h) const { return QRect(X(x), Y(y), X(w), Y(h)); }

 private:
  int char_width_ = 6;
  int char_height_ = 13;
};

}  // namespace kavir::app
