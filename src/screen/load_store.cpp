// Moving the screen's values between a profile file and the controls.
#include <string_view>

#include "kavir_view.h"
#include "option_search.h"
#include "../profile/atomic_file.h"
#include "../profile/gbk.h"
#include "../profile/profile.h"
#include "../profile/profile_keys.h"

namespace kavir {

namespace {

// A green that darkens from column 1 to column 9.
constexpr Rgb kColumnBack[10] = {kWhite,   0xF5FAF3, 0xEBF5E9, 0xE1F0DF, 0xD7EBD5,
                                 0xCDE6CB, 0xC3E1C1, 0xB9DCB7, 0xAFD7AD, 0xA5D2A3};
constexpr Rgb kGridBack = 0xFFABAB;

std::string_view LoadDefault(std::string_view key) {
  if (key == "ChanMode") return "固定设置的";
  if (key == "PF1S" || key == "PF2S") return "关";
  if (key == "PF3S") return "固定报警键";
  return "";
}

// The drop-downs in the order a store writes them; PreviousType follows Type.
constexpr const char* kStoreOrder[] = {
    "Type",          "Mode",        "TimerOut",  "Prealet",    "ChannelMonitor", "SquelchLevel",
    "Beep",          "Voice",       "Alarm",     "RunControl", "CloneEnable",    "TuningMode",
    "ScanOperation", "ChanMode",    "ChanSet",   "LookA",      "RxStay",         "RxRestart",
    "TxRestart",     "RxCH",        "TxChanSel", "AssignCHSet", "ScanDirection", "ScanSpeed",
    "ScanAlert",     "ScanDelAdd",  "TempDel"};

// The band edits may be changed only for a model whose file name holds one
// of the characters of 可定义.
bool AllowsBandEdit(const std::string& path) {
  if (path.empty()) return false;
  std::size_t first = 1;  // past the first UTF-8 character
  while (first < path.size() && (static_cast<unsigned char>(path[first]) & 0xC0) == 0x80) ++first;
  for (std::string_view mark : {"可", "定", "义"})
    if (path.find(mark, first) != std::string::npos) return true;
  return false;
}

std::string PadFrequency(std::string text) {
  std::size_t length = GbkLength(text);
  for (; length < 9; ++length) text += '0';
  return text;
}

}  // namespace

void CKAVIRView::SelectOptionText(ComboBox& combo, std::string_view text) {
  const std::string_view trimmed = TrimBlanks(text);
  if (combo.selected >= 0 && combo.SelectedText() == trimmed) return;
  const int i = FindOption(combo.options, text);
  if (i >= 0) combo.selected = i;
}

// Empty and "0..." clear a box; any other value sets it.
void CKAVIRView::ApplyBoxValue(CheckBox& box, const std::string& value) {
  box.state = value.empty() || value[0] == '0' ? 0 : 1;
}

IoStatus CKAVIRView::LoadProfile(const std::string& path) {
  IoStatus status;
  // A load replaces the screen: one undoable step, and the new clean state.
  RecordStep([&] { status = LoadProfileValues(path); });
  if (status.ok) MarkClean();
  return status;
}

IoStatus CKAVIRView::LoadProfileValues(const std::string& path) {
  IniFile file(path);
  if (!file.load_status().ok) {
    // An unreadable file is not a file of defaults: the screen stays as it was.
    ui_.ShowError("无法读取文件 " + file.load_status().Message(), kMessageCaption);
    return file.load_status();
  }
  // A radio image or any other file would blank every control.
  if (KindOfFile(path) != FileKind::Missing && !HasProfileContent(file.doc())) {
    const IoStatus refused = IoStatus::BadInput(
        path, "不是数据文件：其中没有 [Previous] 设置。屏幕保持不变，请打开 .dat 数据文件。");
    ui_.ShowError(refused.Message(), kMessageCaption);
    return refused;
  }
  LoadProfileDocument(file.doc(), path);
  return IoStatus::Ok();
}

void CKAVIRView::LoadProfileDocument(const IniDocument& doc, const std::string& path) {
  // An edit still open belonged to the values that are being replaced.
  editor.Close();

  const int tab = current_tab;
  current_tab = 0;
  ShowPage(0);

  auto read = [&](std::string_view key, std::string_view def) {
    std::string value = doc.GetString(kProfileSection, key, def, kValueBuffer);
    // A cut can end in blanks that a save would trim away: the screen holds
    // what the saved file will.
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.pop_back();
    return value;
  };
  for (ComboBox& c : combos_) SelectOptionText(c, read(c.key, LoadDefault(c.key)));
  ApplyBoxValue(battery, read("BatterySupply", ""));

  band_lower.text = read("FreqV", "");
  band_lower_limit = LeadingInt(band_lower.text);
  band_upper.text = read("FreqU", "");
  band_upper_limit = LeadingInt(band_upper.text);

  const auto& suffixes = ChannelSuffixesColumnOrder();
  for (int n = 1; n <= kChannelCount; ++n) {
    grid.row = n;
    for (int c = 1; c <= 9; ++c) {
      grid.col = c;
      GridCell& cell = grid.Cell(n, c);
      cell.text = read(ChannelKey(n, suffixes[c - 1]), "");
      cell.back_color = kColumnBack[c];
    }
  }
  grid.back_color = kGridBack;
  for (int n = 1; n <= kChannelCount; ++n) {
    ApplyBoxValue(ch_box[n - 1], read(ChBoxKey(n), ""));
    UpdateChannelRow(n);
  }
  for (int n = 1; n <= kChannelCount; ++n) {
    ApplyBoxValue(tx_box[n - 1], read(TxBoxKey(n), ""));
    UpdateTxColumns(n);
  }

  const bool band_edit = AllowsBandEdit(path);
  band_lower.enabled = band_edit;
  band_upper.enabled = band_edit;

  RestorePage(tab);
}

void CKAVIRView::StoreInto(IniDocument& doc) const {
  auto write = [&](std::string_view key, std::string_view value) {
    doc.SetString(kProfileSection, key, value);
  };
  for (const char* key : kStoreOrder) write(key, Combo(key)->SelectedText());
  write("BatterySupply", battery.checked() ? "1" : "0");
  write("FreqV", band_lower.text);
  write("FreqU", band_upper.text);

  const auto& suffixes = ChannelSuffixesColumnOrder();
  for (int n = 1; n <= kChannelCount; ++n) {
    for (int c = 1; c <= 9; ++c) {
      const std::string& text = grid.Text(n, c);
      write(ChannelKey(n, suffixes[c - 1]), c == 1 || c == 3 ? PadFrequency(text) : text);
    }
  }
  for (int n = 1; n <= kChannelCount; ++n) write(ChBoxKey(n), ch_box[n - 1].checked() ? "1" : "0");
  for (int n = 1; n <= kChannelCount; ++n) write(TxBoxKey(n), tx_box[n - 1].checked() ? "1" : "0");
  for (const char* key : {"PF1S", "PF2S", "PF3S"}) write(key, Combo(key)->SelectedText());
}

std::vector<std::pair<std::string, std::string>> CKAVIRView::ProfileValues() const {
  IniDocument doc;
  StoreInto(doc);
  std::vector<std::pair<std::string, std::string>> values;
  for (const std::string& key : ProfileKeys())
    values.emplace_back(key, doc.Find(kProfileSection, key).value_or(""));
  return values;
}

IoStatus CKAVIRView::WritePreviousType(const std::string& model) {
  IniFile config(files_.kavir_ini);
  IoStatus status = config.load_status();
  // KAVIR.ini is never made from nothing: a stub would lack every list.
  if (status.ok && KindOfFile(files_.kavir_ini) == FileKind::Missing)
    status = IoStatus::Fail(files_.kavir_ini, "is missing");
  if (status.ok) {
    config.SetString("PreviousType", "1", model);
    status = config.Save();
  }
  if (!status.ok) ui_.ShowError("无法保存机器型号 " + status.Message(), kMessageCaption);
  return status;
}

IoStatus CKAVIRView::StoreWith(const std::string& path, bool clear_first) {
  if (RefuseWithoutOptionLists()) return lists_status_;
  ui_.Repaint();
  const int tab = current_tab;
  current_tab = 0;
  ShowPage(0);

  // A pipe or device is written as it is, never read first.
  IniFile file(KindOfFile(path) == FileKind::Other ? std::string() : path);
  IoStatus status = path.empty() ? IoStatus::BadInput(path, "no file name given") : file.load_status();
  // A file that cannot be read is not overwritten: its other sections would be lost.
  if (status.ok) {
    if (clear_first) ClearProfileKeys(file.doc());
    StoreInto(file.doc());
    status = WriteIniFile(path, file.doc());
  }
  if (!status.ok) ui_.ShowError("无法保存文件 " + status.Message(), kMessageCaption);
  IoStatus type_status = WritePreviousType(Combo("Type")->SelectedText());

  RestorePage(tab);
  return status.ok ? type_status : status;
}

IoStatus CKAVIRView::StoreProfile(const std::string& path) { return StoreWith(path, false); }

IoStatus CKAVIRView::ClearAndStoreProfile(const std::string& path) {
  return StoreWith(path, true);
}

}  // namespace kavir
