// The Type drop-down: the one setting that acts at once.
#include "kavir_view.h"
#include "setup/option_search.h"

namespace kavir {

void CKAVIRView::OnTypeChanged(int new_index) {
  const int type = ComboIndex("Type");
  const std::vector<std::string>& options = combos_[type].options;
  const Choice before = setup_.settings[type];
  if (new_index < 0 || new_index >= static_cast<int>(options.size())) return;
  if (RefuseWithoutOptionLists()) return;
  // The drop-down shows the new model while the question is asked.
  setup_.settings[type] = {new_index, options[new_index]};
  const std::string model = options[new_index];

  if (ui_.Ask(TrText("Screen", "\n\t您需要改变机器型号吗 \t\t\n\n\t (Y：改变  N：不改变) ?\n"),
              TrText("Screen", kMessageCaption), {TrText("Screen", "改变"), TrText("Screen", "不改变")})) {
    // Unsaved changes are asked about (and saved) as they were, old model included.
    setup_.settings[type] = before;
    if (document_.ConfirmDiscardChanges()) {
      bool loaded = false;
      RecordStep([&] {
        setup_.settings[type] = {new_index, options[new_index]};
        loaded = LoadProfile(files_.ModelFile(model)).ok;
        // The model's file could not be read: the screen still shows the old model.
        if (!loaded) {
          setup_.settings[type] = before;
          return;
        }
        current_model_name = model;
        // The screen no longer shows the file it was opened from.
        document_.current_file_name.clear();
      });
      if (loaded) {
        MarkClean();
        WritePreviousType(model);
        return;
      }
    }
    ui_.Repaint();
    return;
  }
  const int i = FindOption(options, current_model_name);
  setup_.settings[type] = i >= 0 ? Choice{i, options[i]} : before;
  ui_.Repaint();
}

}  // namespace kavir
