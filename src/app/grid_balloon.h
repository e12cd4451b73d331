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

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QTableWidget* grid_;
  QTimer hide_timer_;
};

}  // namespace kavir::app
