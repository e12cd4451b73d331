#include "compare_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "lang/language.h"

namespace kavir::app {

CompareDialog::CompareDialog(const std::vector<SetupDifference>& differences, const QString& other, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(tr("比较"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(
      differences.empty() ? tr("屏幕与%1完全相同。").arg(other)
                          : tr("屏幕与%1有 %n 处不同:", nullptr, static_cast<int>(differences.size())).arg(other),
      this));
  table_ = new QTableWidget(static_cast<int>(differences.size()), 3, this);
  // A column title, not the middle of a sentence: "The radio", "File x.dat".
  QString other_title = other;
  if (!other_title.isEmpty()) other_title[0] = other_title[0].toUpper();
  table_->setHorizontalHeaderLabels({tr("项目"), tr("屏幕"), other_title});
  table_->verticalHeader()->hide();
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // The item names take what they need; the two values share the rest.
  table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  table_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
  table_->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
  int r = 0;
  for (const SetupDifference& d : differences) {
    // Values hold stored option texts; they are shown as the grid shows them.
    const QString cells[3] = {QString::fromUtf8(d.where), lang::ShownOption(d.a), lang::ShownOption(d.b)};
    for (int c = 0; c < 3; ++c) table_->setItem(r, c, new QTableWidgetItem(cells[c]));
    ++r;
  }
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
