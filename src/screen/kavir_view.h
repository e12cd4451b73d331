#pragma once
// The programming screen: presents one set-up (setup/setup.h), the model,
// on both pages: the drop-downs, the channel grid, the enable boxes and the
// key holders show it, and every edit changes it. Beside it the screen keeps
// only the page, the current cell and the selection. Only the form and the
// programs know it; everything below takes a Setup.
//
// Where each operation's work is done:
//   setup(), Edit                      the set-up on show and the one way to change it (undoable)
//   LoadProfile, LoadProfileDocument   ReadSetupRecord + ResolveChoices (setup/profile_setup.h), then ShowSetup
//   StoreProfile, ClearAndStoreProfile StoreSetup of setup() (setup/profile_setup.h), one atomic save
//   OnReadRadio                        radio_transfer.h: ReadRadio (link/transactions.h), then LoadRecord
//   OnWriteRadio                       radio_transfer.h: CheckBeforeWrite and EncodeImage (codec) of setup(),
//                                      ClearAndStoreSetup into Write.ini, WriteImage (link/write_image.h)
//   GridEditing::CheckCell             Frequency::FromTyped, ToneFromTyped (setup)
//   OnTypeChanged                      model_change.cpp: LoadProfile of the model file
//   OnChBoxClicked, OnTxBoxClicked...  enable_boxes.cpp: the boxes and the row colours
//   StartEdit, CommitEdit, ...         GridEditing (grid_editing.h): cell_editor.cpp, grid_clipboard.cpp
//   RecordStep, Undo, Redo             edit_history.cpp over ScreenState (undo_history.h)
//   opening a profile or image file    open_setup.h: ReadSetupFile, OpenSetupFile
//   Open, Save, recent files, title    ScreenDocument (screen_document.h): open_save.cpp
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cell_editor.h"
#include "channel_grid.h"
#include "controls.h"
#include "grid_edit.h"
#include "grid_editing.h"
#include "ini/ini_document.h"
#include "ini/io_status.h"
#include "ini/translate.h"
#include "recent_files.h"
#include "screen_document.h"
#include "screen_state.h"
#include "screen_ui.h"
#include "setup/option_lists.h"
#include "setup/program_config.h"
#include "setup/radio_identity.h"
#include "setup/setup.h"
#include "setup/working_files.h"
#include "undo_history.h"

namespace kavir {

class CKAVIRView {
 public:
  // Without a configuration, KAVIR.ini is read when the screen is set up.
  CKAVIRView(WorkingFiles files, ScreenUi& ui, std::optional<ProgramConfig> config = std::nullopt);

  // ---- the set-up on show ----
  // What a store, a write, a report or a comparison takes.
  const Setup& setup() const { return setup_; }
  // The selection of the drop-down with this profile key; {-1, ""} for
  // none or an unknown key.
  Choice Selected(std::string_view key) const;
  // The text and colours of a grid cell; row 0 and column 0 are headers.
  // A row is grey where its channel is off, and its transmit cells where
  // its transmitting is off.
  GridCell Cell(int row, int col) const;
  // Changes the set-up as one undoable step (see RecordStep). A setting's
  // text follows its option index.
  bool Edit(const std::function<void(Setup&)>& change, const std::string& merge_key = {});

  // ---- controls (widgets show them) ----
  // Drop-down by profile key (Type, Mode, TimerOut, ..., PF1S, PF2S, PF3S);
  // nullptr for an unknown key.
  const SettingBox* Combo(std::string_view key) const;
  // All drop-downs, in set-up fill order.
  const std::vector<SettingBox>& combos() const { return combos_; }

  Control battery{1016};           // BatterySupply
  Control band_lower{1077};        // FreqV
  Control band_upper{1078};        // FreqU
  std::array<Control, 16> ch_box;  // CH boxes, channel n at [n-1]
  std::array<Control, 16> tx_box;  // TX boxes
  ChannelGrid grid;

  int current_tab = 1;          // tab control's current item
  int shown_page = 1;           // page whose controls are shown
  double band_lower_limit = 0;  // set by each load
  double band_upper_limit = 0;
  std::string current_model_name;

  const WorkingFiles& files() const { return files_; }
  // KAVIR.ini as read at set-up; change it only through ChangeConfig.
  const ProgramConfig& config() const { return config_; }
  ProgramConfig& config() { return config_; }
  ScreenUi& ui() { return ui_; }

  // ---- operations ----
  void OnInitialUpdate(PortStarter* port);
  void FillOptionLists();
  void ShowPage(int page);
  void OnTabChanged(int new_tab);
  // A missing file loads as all defaults; an unreadable one, or a file with
  // no profile content, is shown with ShowError and leaves the screen as it was.
  IoStatus LoadProfile(const std::string& path);
  // The same from a document already in memory; path stands for the file
  // it came from (it decides whether the band edits are enabled).
  void LoadProfileDocument(const IniDocument& doc, const std::string& path);
  // Whether KAVIR.ini gave the option lists at set-up. Without them every
  // drop-down is empty, so nothing may be stored, written or changed.
  const IoStatus& option_lists_status() const { return lists_status_; }
  // What a write puts into a radio whose own identity texts are not known.
  const RadioIdentity& radio_identity() const { return identity_; }
  // What is wrong with KAVIR.ini and what to do, for the user.
  std::string OptionListsMessage() const;
  // Writes the target and PreviousType of KAVIR.ini, each one atomic save;
  // a failure is shown with ShowError (path and reason) and returned.
  IoStatus StoreProfile(const std::string& path);
  // Save As as one atomic write: clear then store.
  IoStatus ClearAndStoreProfile(const std::string& path);
  // The same for a set-up taken from the screen earlier (a write stores
  // the set-up it encodes).
  IoStatus ClearAndStoreSetup(const std::string& path, const Setup& setup);
  // A load of a set-up held in memory (a read's record): one undoable
  // step, and the new clean state. path stands for the file it was saved as.
  void LoadRecord(const Setup& record, const std::string& path);
  // The user picked option new_index of the Type drop-down.
  void OnTypeChanged(int new_index);
  // Row n after its CH box changed: the grid's current row, as the colours
  // were set cell by cell.
  void UpdateChannelRow(int n);
  // The same after its TX box changed; a channel that is off does not
  // transmit, so its TX box is cleared.
  void UpdateTxColumns(int n);
  // A click toggles the box of channel n (1..16), then recolours.
  void OnChBoxClicked(int n);
  void OnTxBoxClicked(int n);
  void OnOpenAllChannels();
  void OnCloseAllChannels();

  // ---- the grid's cells ----
  // Option lists of the grid's list editors, from QTDQT.ini at set-up.
  ChannelLists channel_lists;
  // The cell editor, the selection and the cell commands.
  GridEditing& editing() { return editing_; }
  const GridEditing& editing() const { return editing_; }

  // ---- key settings ----
  void OnKeySettings();

  // ---- undo, redo and unsaved changes ----
  // Runs `change` as one undoable step: the screen's values before it are
  // kept, unless nothing changed. Steps started inside it join it, so a
  // command made of others (a model change that loads) is still one step.
  // Changes with the same non-empty merge_key in a row (typing on in one
  // field) are one step. Returns whether the screen changed.
  bool RecordStep(const std::function<void()>& change, const std::string& merge_key = {});
  bool CanUndo() const { return history_.CanUndo(); }
  bool CanRedo() const { return history_.CanRedo(); }
  void Undo();
  void Redo();
  const UndoHistory& history() const { return history_; }
  ScreenState Values() const;
  void Restore(const ScreenState& state);
  // After an undo or redo: the page of what changed, its cells selected.
  // Returns how many cells, boxes and settings changed.
  int ShowChange(const ScreenState& was);
  // The set-up on the screen differs from what was last opened, read or
  // saved (colours, page and file name are no part of it).
  bool IsModified() const { return setup_ != clean_; }
  // Makes the screen as it is now the opened-read-or-saved state.
  void MarkClean() { clean_ = setup_; }

  // ---- editing commands ----
  // A drop-down's new selection; the Type drop-down goes to OnTypeChanged.
  void OnSelectOption(std::string_view key, int index);
  void OnBatteryClicked(bool on);
  void OnBandEdited(bool upper, const std::string& text);

  // ---- the file behind it ----
  ScreenDocument& document() { return document_; }
  const ScreenDocument& document() const { return document_; }

  // Shows a set-up as a load does: a setting whose text is no option keeps
  // what it showed. path stands for the file it came from (it decides
  // whether the band edits are enabled).
  void ShowSetup(const Setup& record, const std::string& path);
  // Puts a changed set-up on the screen as one undoable step (an import):
  // only what differs changes, and the rows of changed channels are
  // recoloured for their boxes. Returns whether the screen changed.
  bool ApplySetup(const Setup& setup);
  // The option lists the drop-downs hold (KAVIR.ini's, read at set-up).
  OptionLists option_lists() const;

  // The value every profile key would be stored with, in clearing order
  // (209 pairs): what the screen holds now.
  std::vector<std::pair<std::string, std::string>> ProfileValues() const;
  // Writes the screen's values into a profile document (no PreviousType).
  void StoreInto(IniDocument& doc) const;

  // Marked texts: shown through TrText("Screen", ...).
  static constexpr const char* kMessageCaption = KAVIR_TR_NOOP("Screen", "提示信息!");
  static constexpr const char* kTabCaptions[2] = {KAVIR_TR_NOOP("Screen", " 功 能 设 置 "),
                                                  KAVIR_TR_NOOP("Screen", " 信 道 设 置 ")};
  static constexpr const char* kBandLabelCaption = KAVIR_TR_NOOP("Screen", "频段范围：");

 private:
  WorkingFiles files_;
  ScreenUi& ui_;
  ProgramConfig config_;
  bool config_given_ = false;
  Setup setup_;
  std::vector<SettingBox> combos_;
  OptionLists option_lists_;
  IoStatus lists_status_ = IoStatus::Fail("KAVIR.ini", "not read yet");
  RadioIdentity identity_;
  GridEditing editing_{*this};
  ScreenDocument document_{*this};
  UndoHistory history_;
  Setup clean_;
  int step_depth_ = 0;

  IoStatus LoadProfileValues(const std::string& path);

  IoStatus StoreWith(const std::string& path, bool clear_first, const Setup& setup);
  IoStatus WritePreviousType(const std::string& model);
  // Shows the option-list message and returns true when KAVIR.ini is unusable.
  bool RefuseWithoutOptionLists();
  void RestorePage(int tab);
  // Opens or closes every channel and its transmitting, as one step.
  void SetAllChannels(bool on, const std::string& status);
  // Index of the drop-down with this key; -1 when there is none.
  int ComboIndex(std::string_view key) const;
  // Gives every setting the text of its option index.
  void SettleTexts();
};

}  // namespace kavir
