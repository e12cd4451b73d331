#pragma once
// "关于 KAVIR": icon, product name, version, maker, one "确定" button.
#include <QDialog>

namespace kavir::app {

class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(QWidget* parent);
};

}  // namespace kavir::app
