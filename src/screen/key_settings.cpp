// The key settings dialog: PF1..PF3 assignments.
#include "key_settings.h"

#include "ini/ini_document.h"
#include "kavir_view.h"
#include "setup/option_lists.h"
#include "setup/option_search.h"
#include "setup/profile_keys.h"

namespace kavir {

namespace {
constexpr const char* kKeys[3] = {"PF1S", "PF2S", "PF3S"};
constexpr const char* kDefaults[3] = {"关", "关", "固定报警键"};
constexpr int kIds[3] = {1117, 1118, 1119};
}  // namespace

void CKeySettingsDlg::Initialize(const WorkingFiles& files, const IniDocument& config) {
  for (int i = 0; i < 3; ++i) {
    pf[i] = ComboBox{};
    pf[i].id = kIds[i];
    pf[i].key = kKeys[i];
    pf[i].options = ReadOptionList(config, kKeys[i], kSettingListLimit);
  }
  const IniDocument model = ReadIniFile(files.ModelFile(model_name_));
  for (int i = 0; i < 3; ++i) {
    const std::string text = model.GetString(kProfileSection, kKeys[i], kDefaults[i], kValueBuffer);
    pf[i].selected = FindOption(pf[i].options, text);
  }
}

void CKAVIRView::OnKeySettings() {
  CKeySettingsDlg dialog;
  dialog.SetModelName(current_model_name);
  dialog.Initialize(files_, config_.ini());
  // The dialog shows the keys the screen holds now (set by the user or read
  // from a radio), so OK without a change keeps them.
  for (int i = 0; i < 3; ++i) {
    const Choice held = Selected(kKeys[i]);
    if (held.index >= 0) dialog.pf[i].selected = FindOption(dialog.pf[i].options, held.text);
  }
  if (!ui_.RunKeySettings(dialog)) return;
  const std::string texts[3] = {dialog.GetPF1Text(), dialog.GetPF2Text(), dialog.GetPF3Text()};
  Edit([&](Setup& s) {
    for (int i = 0; i < 3; ++i) {
      const int holder = ComboIndex(kKeys[i]);
      const int found = FindOption(combos_[holder].options, texts[i]);
      if (found >= 0) s.settings[holder].index = found;
    }
  });
}

}  // namespace kavir
