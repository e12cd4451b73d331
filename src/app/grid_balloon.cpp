#include "grid_balloon.h"

#include <QEvent>
#include <QTableWidget>

namespace kavir::app {

namespace {
constexpr int kShownMs = 6000;
}

GridBalloon::GridBalloon(QTableWidget* grid) : QLabel(grid->viewport()), grid_(grid) {
  setObjectName(QStringLiteral("RejectionBalloon"));
  setWordWrap(true);
  setStyleSheet(
      QStringLiteral("QLabel { background: #fff3c4; color: #800000; border: 1px solid #c08000;"
                     " padding: 3px; }"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  hide();
  hide_timer_.setSingleShot(true);
  hide_timer_.setInterval(kShownMs);
  connect(&hide_timer_, &QTimer::timeout, this, [this] {
    hide();
    emit dismissed();
  });
  grid_->installEventFilter(this);
  grid_->viewport()->installEventFilter(this);
}

void GridBalloon::ShowAt(int row, int col, const QString& text) {
  setText(text.trimmed());
  const QRect cell = grid_->visualRect(grid_->model()->index(row, col));
  const int width = std::min(grid_->viewport()->width() - 4, std::max(cell.width() * 3, 240));
  setFixedWidth(width);
  adjustSize();
  int x = std::clamp(cell.left(), 2, std::max(2, grid_->viewport()->width() - width - 2));
  int y = cell.bottom() + 2;
  if (y + height() > grid_->viewport()->height()) y = std::max(0, cell.top() - height() - 2);
  move(x, y);
  show();
  raise();
  hide_timer_.start();
}

bool GridBalloon::eventFilter(QObject*, QEvent* event) {
  if (isVisible() && (event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonPress)) {
    hide_timer_.stop();
    hide();
    emit dismissed();
  }
  return false;
}

}  // namespace kavir::app
