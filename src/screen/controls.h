#pragma once
// The controls of the programming screen as plain state. Widgets show these;
// everything else reads and writes them.
#include <string>
#include <vector>

namespace kavir {

struct ComboBox {
  int id = 0;
  std::string key;                   // profile key and option-list section
  std::vector<std::string> options;  // filled once at set-up
  int selected = -1;                 // -1: no selection
  bool enabled = true;
  bool visible = true;

  // Text of the selected option; "" with no selection.
  std::string SelectedText() const {
    return selected >= 0 && selected < static_cast<int>(options.size()) ? options[selected]
                                                                         : std::string();
  }
};

struct CheckBox {
  int id = 0;
  int state = 0;  // 0 cleared, 1 set
  bool enabled = true;
  bool visible = true;
  bool checked() const { return state == 1; }
};

struct EditBox {
  int id = 0;
  std::string text;
  bool enabled = true;
  bool visible = true;
};

}  // namespace kavir
