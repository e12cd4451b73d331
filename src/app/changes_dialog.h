#pragma once
// Before a write: what the radio holds and what it will hold, setting by
// setting, grouped by the form's pages; 写入 or 取消.
#include <vector>

#include <QDialog>

#include "interchange/setup_compare.h"
#include "plan/finding.h"

class QCheckBox;
class QPushButton;
class QTreeWidget;

namespace kavir::app {

class ChangesDialog : public QDialog {
  Q_OBJECT

 public:
  // differences: radio (a) against what will be written (b); radio_known
  // false when the radio holds nothing a read could show. warnings: what
  // the plan check warns of, listed first; they do not stop the write.
  ChangesDialog(const std::vector<SetupDifference>& differences, bool radio_known,
                const std::vector<Finding>& warnings = {}, QWidget* parent = nullptr);
  QTreeWidget* list() const { return list_; }
  QPushButton* write_button() const { return write_; }
  // "不再显示" was ticked.
  bool dont_show_again() const;

 private:
  QTreeWidget* list_ = nullptr;
  QPushButton* write_ = nullptr;
  QCheckBox* dont_show_ = nullptr;
};

}  // namespace kavir::app
