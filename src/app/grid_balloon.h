#pragma once
// A refused entry shown where the user is looking: a small message under
// the grid's current cell, gone after a few seconds or at the next key or
// click in the grid.
#include <QLabel>
#include <QTimer>

class QTableWidget;

namespace kavir::app {

class GridBalloon : public QLabel {
  Q_OBJECT

 public:
  explicit GridBalloon(QTableWidget* grid);

  // Shows text under cell (row, col) of the grid.
  void ShowAt(int row, int col, const QString& text);

 signals:
  // The user moved on (a key or a click in the grid) or the time ran out.
  void dismissed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QTableWidget* grid_;
  QTimer hide_timer_;
};

}  // namespace kavir::app
