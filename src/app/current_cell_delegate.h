#pragma once
// Draws a frame around the grid's current cell, so the cell that typing,
// Enter and F2 act on can be seen at a glance, with or without focus.
#include <QStyledItemDelegate>

class QAbstractItemView;

namespace kavir::app {

class CurrentCellDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  explicit CurrentCellDelegate(QAbstractItemView* view);

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  QAbstractItemView* view_;
};

}  // namespace kavir::app
