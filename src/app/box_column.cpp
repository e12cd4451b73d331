#include "box_column.h"

#include <QCheckBox>
#include <QKeyEvent>

namespace kavir::app {

BoxColumn::BoxColumn(QList<QCheckBox*> boxes, QObject* parent) : QObject(parent), boxes_(std::move(boxes)) {
  for (QCheckBox* box : boxes_) box->installEventFilter(this);
  UpdateTabStop();
}

QCheckBox* BoxColumn::tab_stop() const {
  for (QCheckBox* box : boxes_)
    if (box->focusPolicy() & Qt::TabFocus) return box;
  return nullptr;
}

void BoxColumn::UpdateTabStop() {
  // The last used box when it can take focus, else the nearest one that can.
  int stop = -1;
  for (int d = 0; d < boxes_.size() && stop < 0; ++d) {
    for (int i : {current_ + d, current_ - d})
      if (i >= 0 && i < boxes_.size() && boxes_[i]->isEnabled()) {
        stop = i;
        break;
      }
  }
  for (int i = 0; i < boxes_.size(); ++i) boxes_[i]->setFocusPolicy(i == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

void BoxColumn::MoveTo(int index) {
  const int step = index < current_ ? -1 : 1;
  for (int i = index; i >= 0 && i < boxes_.size(); i += step) {
    if (boxes_[i]->isEnabled()) {
      current_ = i;
      UpdateTabStop();
      boxes_[i]->setFocus(Qt::OtherFocusReason);
      return;
    }
  }
}

bool BoxColumn::eventFilter(QObject* watched, QEvent* event) {
  const int index = boxes_.indexOf(static_cast<QCheckBox*>(watched));
  if (index < 0) return false;
  if (event->type() == QEvent::FocusIn) {
    current_ = index;
    UpdateTabStop();
  } else if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    switch (key->key()) {
      case Qt::Key_Up:
        MoveTo(index - 1);
        return true;
      case Qt::Key_Down:
        MoveTo(index + 1);
        return true;
      case Qt::Key_Home:
        MoveTo(0);
        return true;
      case Qt::Key_End:
        MoveTo(static_cast<int>(boxes_.size()) - 1);
        return true;
      default:
        break;
    }
  }
  return false;
}

}  // namespace kavir::app
