// Moving the set-up on show to and from a profile file.
#include <string_view>
#include <utility>

#include "ini/atomic_file.h"
#include "ini/gbk.h"
#include "kavir_view.h"
#include "setup/option_search.h"
#include "setup/profile_file.h"
#include "setup/profile_keys.h"
#include "setup/profile_setup.h"
#include "setup/program_data.h"

namespace kavir {

namespace {

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

}  // namespace

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
    ui_.ShowError(TrText("Screen", "无法读取文件 ") + UserMessage(file.load_status()),
                  TrText("Screen", kMessageCaption));
    return file.load_status();
  }
  // A radio image or any other file would blank every control.
  if (KindOfFile(path) != FileKind::Missing && !HasProfileContent(file.doc())) {
    const IoStatus refused = IoStatus::BadInput(
        path, TrText("Screen", "不是数据文件：其中没有 [Previous] 设置。屏幕保持不变，请打开 .dat 数据文件。"));
    ui_.ShowError(refused.Message(), TrText("Screen", kMessageCaption));
    return refused;
  }
  LoadProfileDocument(file.doc(), path);
  // Opened as it is, but nothing that may show or go in wrong is kept quiet.
  std::vector<std::string> warnings;
  if (const int line = file.doc().undecodable_line(); line > 0)
    warnings.push_back(ArgText(TrText("Screen", "第 %1 行的字节既不是 UTF-8 也不是 GBK 文字, 其中的值可能显示不对。"),
                               {std::to_string(line)}));
  for (std::string& p : FrequencyTextProblems(setup_)) warnings.push_back(std::move(p));
  if (!warnings.empty()) {
    std::string text = ArgText(TrText("Screen", "已打开 %1, 但:"), {path});
    for (const std::string& w : warnings) text += "\n" + w;
    ui_.ShowWarning(text, TrText("Screen", kMessageCaption));
  }
  return IoStatus::Ok();
}

void CKAVIRView::LoadProfileDocument(const IniDocument& doc, const std::string& path) {
  ShowSetup(ReadSetupRecord(doc), path);
}

void CKAVIRView::ShowSetup(const Setup& record, const std::string& path) {
  // An edit still open belonged to the values that are being replaced.
  editing_.editor.Close();

  const int tab = current_tab;
  current_tab = 0;
  ShowPage(0);

  // A setting whose text is no option keeps what it showed.
  setup_ = ResolveChoices(record, option_lists(), setup_);
  band_lower_limit = LeadingInt(setup_.band_lower);
  band_upper_limit = LeadingInt(setup_.band_upper);
  for (int n = 1; n <= kChannelCount; ++n) UpdateChannelRow(n);
  for (int n = 1; n <= kChannelCount; ++n) UpdateTxColumns(n);

  // The model on show is the one a later model change goes back from.
  if (const std::string model = Selected("Type").text; !model.empty()) current_model_name = model;

  const bool band_edit = AllowsBandEdit(path);
  band_lower.enabled = band_edit;
  band_upper.enabled = band_edit;

  RestorePage(tab);
}

bool CKAVIRView::ApplySetup(const Setup& setup) {
  editing_.editor.Close();
  return Edit([&](Setup& s) {
    for (std::size_t i = 0; i < s.settings.size(); ++i) s.settings[i].index = setup.settings[i].index;
    s.battery_saver = setup.battery_saver;
    s.band_lower = setup.band_lower;
    s.band_upper = setup.band_upper;
    for (int n = 1; n <= kChannelCount; ++n) {
      // A channel left alone keeps its boxes as the user set them.
      if (setup.channel(n) == s.channel(n)) continue;
      s.channel(n) = setup.channel(n);
      UpdateChannelRow(n);
      UpdateTxColumns(n);
    }
  });
}

OptionLists CKAVIRView::option_lists() const {
  OptionLists lists = option_lists_;
  for (std::size_t i = 0; i < combos_.size(); ++i) lists.lists[i] = combos_[i].options;
  return lists;
}

void CKAVIRView::StoreInto(IniDocument& doc) const { StoreSetup(setup_, doc); }

std::vector<std::pair<std::string, std::string>> CKAVIRView::ProfileValues() const { return StoredValues(setup_); }

IoStatus CKAVIRView::WritePreviousType(const std::string& model) {
  const IoStatus status = RememberModel(config_, model);
  if (!status.ok)
    ui_.ShowError(TrText("Screen", "无法保存机器型号 ") + UserMessage(status), TrText("Screen", kMessageCaption));
  return status;
}

IoStatus CKAVIRView::StoreWith(const std::string& path, bool clear_first, const Setup& setup) {
  if (RefuseWithoutOptionLists()) return lists_status_;
  ui_.Repaint();
  const int tab = current_tab;
  current_tab = 0;
  ShowPage(0);

  const IoStatus status = StoreSetupFile(path, setup, clear_first ? StoredKeys::ClearedFirst : StoredKeys::OverOld);
  if (!status.ok)
    ui_.ShowError(TrText("Screen", "无法保存文件 ") + UserMessage(status), TrText("Screen", kMessageCaption));
  IoStatus type_status = WritePreviousType(setup.model());

  RestorePage(tab);
  return status.ok ? type_status : status;
}

IoStatus CKAVIRView::StoreProfile(const std::string& path) { return StoreWith(path, false, setup_); }

IoStatus CKAVIRView::ClearAndStoreProfile(const std::string& path) { return StoreWith(path, true, setup_); }

IoStatus CKAVIRView::ClearAndStoreSetup(const std::string& path, const Setup& setup) {
  return StoreWith(path, true, setup);
}

void CKAVIRView::LoadRecord(const Setup& record, const std::string& path) {
  const std::string before = current_model_name;
  RecordStep([&] { ShowSetup(record, path); });
  MarkClean();
  // The next start opens on the model the radio named, as a model change does.
  if (current_model_name != before) WritePreviousType(current_model_name);
}

}  // namespace kavir
