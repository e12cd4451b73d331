#pragma once
// "键盘设置": the three programmable keys, one drop-down each, bound to the
// screen's key settings model.
#include <QDialog>

#include "screen/key_settings.h"

class QComboBox;

namespace kavir::app {

class KeySettingsDialog : public QDialog {
  Q_OBJECT

 public:
  KeySettingsDialog(CKeySettingsDlg& model, QWidget* parent);
  QComboBox* combo(int i) const { return combos_[i]; }

 private:
  CKeySettingsDlg& model_;
  QComboBox* combos_[3] = {};
};

}  // namespace kavir::app
