#include "compare_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kavir::app {

CompareDialog::CompareDialog(const std::vector<SetupDifference>& differences, const QString& other,
                             QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(tr("比较"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(
      differences.empty()
          ? tr("屏幕与%1完全相同。").arg(other)
          : tr("屏幕与%1有 %2 处不同:").arg(other).arg(differences.size()),
      this));
  table_ = new QTableWidget(static_cast<int>(differences.size()), 3, this);
  table_->setHorizontalHeaderLabels({tr("项目"), tr("屏幕"), other});
  table_->verticalHeader()->hide();
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->horizontalHeader()->setStretchLastSection(true);
  int r = 0;
  for (const SetupDifference& d : differences) {
    const QString cells[3] = {QString::fromUtf8(d.where), QString::fromUtf8(d.a), QString::fromUtf8(d.b)};
    for (int c = 0; c < 3; ++c) table_->setItem(r, c, new QTableWidgetItem(cells[c]));
    ++r;
  }
  table_->resizeColumnsToContents();
  layout->addWidget(table_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  auto* close = new QPushButton(tr("关闭"), this);
  buttons->addWidget(close);
  layout->addLayout(buttons);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  resize(560, 420);
}

}  // namespace kavir::app
