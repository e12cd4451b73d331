#pragma once
// The controls of the programming screen as plain state. Widgets show these;
// the values they show are the set-up's (CKAVIRView::setup), not theirs.
#include <string>
#include <vector>

namespace kavir {

// A box or edit of the form: where it is and whether it can be used.
struct Control {
  int id = 0;
  bool enabled = true;
  bool visible = true;
};

// A drop-down of the form: its key and the option list filled at set-up.
struct SettingBox : Control {
  std::string key;  // profile key and option-list section
  std::vector<std::string> options;
};

// A drop-down that holds its own selection (the key settings dialog's).
struct ComboBox {
  int id = 0;
  std::string key;
  std::vector<std::string> options;
  int selected = -1;  // -1: no selection

  // Text of the selected option; "" with no selection.
  std::string SelectedText() const {
    return selected >= 0 && selected < static_cast<int>(options.size()) ? options[selected] : std::string();
  }
};

}  // namespace kavir
