#include "key_settings_dialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

#include "dialog_units.h"
#include "lang/language.h"

namespace kavir::app {

KeySettingsDialog::KeySettingsDialog(CKeySettingsDlg& model, QWidget* parent) : QDialog(parent), model_(model) {
  setWindowTitle(QCoreApplication::translate("Screen", CKeySettingsDlg::kCaption));
  const DialogUnits du(font());
  setFixedSize(du.X(348), du.Y(217));

  struct Row {
    const char* label;
    int label_y;
    int combo_y;
  };
  static constexpr Row kRows[3] = {{"PF1", 67, 65}, {"PF2", 101, 101}, {"PF3", 137, 135}};
  for (int i = 0; i < 3; ++i) {
    auto* label = new QLabel(QString::fromUtf8(kRows[i].label), this);
    label->setGeometry(du.Rect(85, kRows[i].label_y - 1, 20, 10));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* combo = new QComboBox(this);
    combo->setGeometry(du.X(107), du.Y(kRows[i].combo_y) - 2, du.X(80), combo->sizeHint().height());
    ComboBox& state = model_.pf[i];
    for (const std::string& text : state.options) combo->addItem(lang::ShownOption(text));
    combo->setCurrentIndex(state.selected);
    connect(combo, &QComboBox::currentIndexChanged, this, [&state](int index) { state.selected = index; });
    combos_[i] = combo;
  }
  auto* ok = new QPushButton(tr("确定"), this);
  ok->setGeometry(du.Rect(228, 178, 41, 19));
  ok->setDefault(true);
  auto* cancel = new QPushButton(tr("取消"), this);
  cancel->setGeometry(du.Rect(282, 178, 41, 19));
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

}  // namespace kavir::app
