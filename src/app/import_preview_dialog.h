#pragma once
// What an import of a channel-plan CSV file would do, shown before anything
// changes: each row, the channel it goes to, or why it is refused.
#include <string>

#include <QDialog>

#include "interchange/csv_import.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace kavir::app {

class ImportPreviewDialog : public QDialog {
  Q_OBJECT

 public:
  ImportPreviewDialog(std::string csv_bytes, ImportLimits limits, const QString& file_name, QWidget* parent = nullptr);
  const ImportPlan& plan() const { return plan_; }
  QTableWidget* table() const { return table_; }
  QCheckBox* by_location() const { return by_location_; }
  QPushButton* import_button() const { return import_; }

 private:
  void Replan();

  std::string csv_;
  ImportLimits limits_;
  ImportPlan plan_;
  QTableWidget* table_ = nullptr;
  QCheckBox* by_location_ = nullptr;
  QLabel* summary_ = nullptr;
  QPushButton* import_ = nullptr;
};

}  // namespace kavir::app
