// The Type drop-down: the one setting that acts at once.
#include "kavir_view.h"
#include "setup/option_search.h"

namespace kavir {

void CKAVIRView::OnTypeChanged(int new_index) {
  ComboBox& type = *Combo("Type");
  const int before = type.selected;
  if (new_index < 0 || new_index >= static_cast<int>(type.options.size())) return;
  if (RefuseWithoutOptionLists()) return;
  type.selected = new_index;
  const std::string model = type.SelectedText();

  if (ui_.Ask(TrText("Screen", "\n\t您需要改变机器型号吗 \t\t\n\n\t (Y：改变  N：不改变) ?\n"), TrText("Screen", kMessageCaption),
              {TrText("Screen", "改变"), TrText("Screen", "不改变")})) {
    // Unsaved changes are asked about (and saved) as they were, old model included.
    type.selected = before;
    if (document_.ConfirmDiscardChanges()) {
      bool loaded = false;
      RecordStep([&] {
        type.selected = new_index;
        loaded = LoadProfile(files_.ModelFile(model)).ok;
        // The model's file could not be read: the screen still shows the old model.
        if (!loaded) {
          type.selected = before;
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
  const int i = FindOption(type.options, current_model_name);
  type.selected = i >= 0 ? i : before;
  ui_.Repaint();
}

}  // namespace kavir
