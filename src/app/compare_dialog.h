#pragma once
// The differences between the screen and another set-up, one per row.
#include <vector>

#include <QDialog>

#include "interchange/setup_compare.h"

class QTableWidget;

namespace kavir::app {

class CompareDialog : public QDialog {
  Q_OBJECT

 public:
  // other: what the screen is compared with ("文件 x.dat", "电台").
  CompareDialog(const std::vector<SetupDifference>& differences, const QString& other, QWidget* parent = nullptr);
  QTableWidget* table() const { return table_; }

 private:
  QTableWidget* table_ = nullptr;
};

}  // namespace kavir::app
