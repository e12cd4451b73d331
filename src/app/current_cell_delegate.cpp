#include "current_cell_delegate.h"

#include <QAbstractItemView>
#include <QPainter>

namespace kavir::app {

CurrentCellDelegate::CurrentCellDelegate(QAbstractItemView* view) : QStyledItemDelegate(view), view_(view) {}

void CurrentCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QStyledItemDelegate::paint(painter, option, index);
  if (index != view_->currentIndex()) return;
  painter->save();
  // Strong blue while the grid has the keyboard, grey otherwise.
  const QColor colour = view_->hasFocus() ? QColor(0x00, 0x50, 0xd0) : QColor(0x70, 0x70, 0x70);
  painter->setPen(QPen(colour, 2));
  painter->setBrush(Qt::NoBrush);
  painter->drawRect(option.rect.adjusted(1, 1, -1, -1));
  painter->restore();
}

}  // namespace kavir::app
