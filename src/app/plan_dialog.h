#pragma once
// The plan check's findings, one a row, with the licence they were checked
// against; the licence can be chosen or left out here. On its own (工具 →
// 检查) it only shows; before a write it asks: errors make 取消 the default
// and 仍然写入 an override, warnings alone let 写入 go on.
#include <functional>
#include <string>
#include <vector>

#include <QDialog>

#include "plan/finding.h"
#include "plan/licence.h"

class QLabel;
class QPushButton;
class QTreeWidget;

namespace kavir::app {

class PlanDialog : public QDialog {
  Q_OBJECT

 public:
  enum class Purpose { Look, BeforeWrite };
  // The findings of the set-up against a licence (nullptr: none).
  using Check = std::function<std::vector<Finding>(const Licence* licence)>;

  // licence_path: the licence chosen so far ("" for none); one that cannot
  // be read is said in the dialog and the check runs without it.
  PlanDialog(Purpose purpose, Check check, const std::string& licence_path, QWidget* parent = nullptr);

  QTreeWidget* list() const { return list_; }
  // 写入 or 仍然写入; nullptr when only looking.
  QPushButton* write_button() const { return write_; }
  QPushButton* cancel_button() const { return cancel_; }
  // The licence as the dialog ends with it, and whether it was changed here.
  const std::string& licence_path() const { return licence_path_; }
  bool licence_changed() const { return licence_changed_; }
  // Checks again with the licence at path ("" for none). False, with the
  // reason shown, when it cannot be read: the licence stays as it was.
  bool UseLicence(const std::string& path);

 private:
  void Fill();

  Purpose purpose_;
  Check check_;
  std::string licence_path_;
  std::optional<Licence> licence_;
  bool licence_changed_ = false;
  QLabel* lead_ = nullptr;
  QLabel* licence_label_ = nullptr;
  QTreeWidget* list_ = nullptr;
  QPushButton* write_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

}  // namespace kavir::app
