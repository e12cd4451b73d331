#pragma once
// The key settings dialog as a model: three drop-downs for PF1S..PF3S whose
// initial selections are the screen's keys (the model file's when the
// screen holds none).
#include <array>
#include <string>

#include "controls.h"
#include "ini/ini_document.h"
#include "ini/translate.h"
#include "setup/working_files.h"

namespace kavir {

class CKeySettingsDlg {
 public:
  void SetModelName(std::string name) { model_name_ = std::move(name); }
  const std::string& model_name() const { return model_name_; }

  // Fills the lists from KAVIR.ini and selects the model file's values.
  void Initialize(const WorkingFiles& files, const IniDocument& kavir_ini);

  // Drop-downs 1117, 1118, 1119 (index 0, 1, 2), changed by the widget.
  std::array<ComboBox, 3> pf;

  std::string GetPF1Text() const { return pf[0].SelectedText(); }
  std::string GetPF2Text() const { return pf[1].SelectedText(); }
  std::string GetPF3Text() const { return pf[2].SelectedText(); }

  static constexpr const char* kCaption = KAVIR_TR_NOOP("Screen", "键盘设置");

 private:
  std::string model_name_;
};

}  // namespace kavir
