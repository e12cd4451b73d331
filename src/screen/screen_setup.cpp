// Set-up of the programming screen: the drop-downs and their option lists,
// the pages, the start-up model.
#include <cstring>

#include "ini/atomic_file.h"
#include "kavir_view.h"
#include "setup/option_search.h"
#include "setup/profile_keys.h"
#include "setup/program_data.h"

namespace kavir {

namespace {

const SettingInfo* InfoOf(const SettingBox& c) {
  const auto s = FindSetting(c.key);
  return s ? &Info(*s) : nullptr;
}

}  // namespace

CKAVIRView::CKAVIRView(WorkingFiles files, ScreenUi& ui, std::optional<ProgramConfig> config)
    : files_(std::move(files)), ui_(ui), config_(config.value_or(ProgramConfig())), config_given_(config.has_value()) {
  for (int n = 1; n <= 16; ++n) {
    ch_box[n - 1].id = 1095 + n;
    tx_box[n - 1].id = 1078 + n;
  }
  // One drop-down per setting, in the catalogue's order.
  for (const SettingInfo& i : Settings()) {
    SettingBox c;
    c.id = i.control_id;
    c.key = i.key;
    combos_.push_back(std::move(c));
  }
  clean_ = setup_;
}

int CKAVIRView::ComboIndex(std::string_view key) const {
  for (std::size_t i = 0; i < combos_.size(); ++i)
    if (combos_[i].key == key) return static_cast<int>(i);
  return -1;
}

const SettingBox* CKAVIRView::Combo(std::string_view key) const {
  const int i = ComboIndex(key);
  return i < 0 ? nullptr : &combos_[i];
}

Choice CKAVIRView::Selected(std::string_view key) const {
  const int i = ComboIndex(key);
  return i < 0 ? Choice{-1, {}} : setup_.settings[i];
}

void CKAVIRView::OnInitialUpdate(PortStarter* port) {
  // The grid lays itself out and reads its lists before the form is set up.
  channel_lists = ReadChannelLists(ReadIniFile(files_.qtdqt_ini));

  for (SettingBox& c : combos_)
    if (InfoOf(c)->fixed) c.enabled = false;
  current_tab = 0;
  ShowPage(0);
  FillOptionLists();
  if (port) port->OpenStartupPort(config_);
  current_tab = 1;
  ShowPage(1);
  document_.recent.ReadFrom(config_.ini());
  // The start-up model is where editing begins: nothing to undo, nothing unsaved.
  history_.Clear();
  MarkClean();
}

void CKAVIRView::FillOptionLists() {
  if (!config_given_) config_ = ProgramConfig::Read(files_.kavir_ini);
  config_given_ = false;  // a second set-up reads the file again
  option_lists_ = ReadOptionLists(config_.ini());
  identity_ = ReadRadioIdentity(config_.ini());
  for (std::size_t i = 0; i < combos_.size(); ++i) combos_[i].options = option_lists_.lists[i];
  lists_status_ = ListsStatus(config_, option_lists_);
  if (!lists_status_.ok) ui_.ShowError(OptionListsMessage(), TrText("Screen", kMessageCaption));

  std::string model = PreviousModel(config_.ini());
  LoadProfile(files_.ModelFile(model));
  current_model_name = model;
  const int type = ComboIndex("Type");
  const int i = FindOption(combos_[type].options, model);
  if (i >= 0) setup_.settings[type] = {i, combos_[type].options[i]};
}

std::string CKAVIRView::OptionListsMessage() const {
  if (lists_status_.ok) return {};
  return ArgText(TrText("Screen",
                        "KAVIR.ini 不能使用: %1\n没有选项列表，不能保存、写入、读出或改变机型。\n"
                        "请把程序的 KAVIR.ini 放回程序目录 %2 后重新启动。"),
                 {UserMessage(lists_status_), files_.program_dir});
}

bool CKAVIRView::RefuseWithoutOptionLists() {
  if (lists_status_.ok) return false;
  ui_.ShowError(OptionListsMessage(), TrText("Screen", kMessageCaption));
  return true;
}

void CKAVIRView::ShowPage(int page) {
  shown_page = page == 0 ? 0 : 1;
  const bool function_page = shown_page == 0;
  for (SettingBox& c : combos_) c.visible = function_page && !InfoOf(c)->programmable_key;
  SettingBox& mode = combos_[ComboIndex("Mode")];
  mode.visible = false;
  mode.enabled = false;
  battery.visible = function_page;
  band_lower.visible = function_page;
  band_upper.visible = function_page;
  for (Control& b : ch_box) b.visible = !function_page;
  for (Control& b : tx_box) b.visible = !function_page;
  ui_.Repaint();
}

void CKAVIRView::OnTabChanged(int new_tab) {
  current_tab = new_tab;
  ShowPage(new_tab == 0 ? 0 : 1);
}

void CKAVIRView::RestorePage(int tab) {
  current_tab = tab;
  ShowPage(tab == 0 ? 0 : 1);
}

}  // namespace kavir
