// Undo and redo of every kind of change a user makes, and the derived
// unsaved-changes state.
#include <gtest/gtest.h>

#include "support.h"

namespace kavir::test {
namespace {

struct EditUi : FakeUi {
  std::deque<SaveChoice> save_answers;  // Cancel when empty
  std::vector<std::string> save_prompts;
  SaveChoice AskSaveChanges(const std::string& text, const std::string&) override {
    save_prompts.push_back(text);
    SaveChoice c = SaveChoice::Cancel;
    if (!save_answers.empty()) c = save_answers.front(), save_answers.pop_front();
    return c;
  }
};

class UndoTest : public ::testing::Test {
 public:
  ProgramDir dir;
  EditUi ui;
  std::unique_ptr<CKAVIRView> view = dir.Start(ui);  // KV16U, band 400..470

  void Type(int row, int col, const std::string& text) {
    view->grid.row = row, view->grid.col = col;
    view->editing().selection = CellRange::One(row, col);
    view->editing().StartEdit(13);
    view->editing().editor.text = text;
    view->editing().CommitEdit();
  }
};

struct ChangeCase {
  const char* name;
  std::function<void(UndoTest&, CKAVIRView&)> change;
  bool load = false;  // replaces the screen: it is then what was last loaded
};

class EachChange : public UndoTest, public ::testing::WithParamInterface<ChangeCase> {};

TEST_P(EachChange, IsOneStepOfTheHistory) {
  const auto colours = [&] {  // the rows as their boxes grey them
    std::string s;
    for (int n = 1; n <= 16; ++n)
      for (int c = 1; c <= 9; ++c) s += view->Cell(n, c).fore_color == kGrey ? 'g' : 'b';
    return s;
  };
  const ScreenState before = view->Values();
  const std::string colours_before = colours();
  ASSERT_FALSE(view->CanUndo());
  GetParam().change(*this, *view);
  const ScreenState after = view->Values();
  const std::string colours_after = colours();
  ASSERT_NE(after, before) << "the change changed nothing";
  EXPECT_EQ(view->history().undo_count(), 1u);
  EXPECT_EQ(view->IsModified(), !GetParam().load);
  const std::string file = view->document().current_file_name;
  view->Undo();
  ScreenState undone = view->Values();
  EXPECT_EQ(undone.file_name, file);  // undo never changes which file is current
  undone.file_name = before.file_name;
  EXPECT_TRUE(undone == before);
  EXPECT_FALSE(view->CanUndo());
  EXPECT_EQ(colours(), colours_before);
  EXPECT_EQ(view->IsModified(), GetParam().load);  // undoing a load shows values not in the loaded file
  view->Redo();
  EXPECT_TRUE(view->Values() == after);
  EXPECT_FALSE(view->CanRedo());
  EXPECT_EQ(colours(), colours_after);
}

INSTANTIATE_TEST_SUITE_P(
    Screen, EachChange,
    ::testing::Values(
        ChangeCase{"CellCommit", [](UndoTest& t, CKAVIRView&) { t.Type(2, 1, "401.0125"); }},
        ChangeCase{"ListCellCommit", [](UndoTest& t, CKAVIRView&) { t.Type(2, 6, "低"); }},
        ChangeCase{"Paste", [](UndoTest&, CKAVIRView& v) { v.editing().PasteCells(CellRange::One(3, 1), "401.0125\t关\n402.5\n"); }},
        ChangeCase{"Fill", [](UndoTest&, CKAVIRView& v) { v.editing().FillCells({1, 6, 16, 6}, "低"); }},
        ChangeCase{"Delete", [](UndoTest&, CKAVIRView& v) { v.editing().ClearCells({4, 2, 5, 4}); }},
        ChangeCase{"ChBox", [](UndoTest&, CKAVIRView& v) { v.OnChBoxClicked(5); }},
        ChangeCase{"TxBox", [](UndoTest&, CKAVIRView& v) { v.OnTxBoxClicked(7); }},
        ChangeCase{"CloseAll", [](UndoTest&, CKAVIRView& v) { v.OnCloseAllChannels(); }},
        ChangeCase{"DropDown", [](UndoTest&, CKAVIRView& v) { v.OnSelectOption("TimerOut", 1); }},
        ChangeCase{"DropDownCleared", [](UndoTest&, CKAVIRView& v) { v.OnSelectOption("TimerOut", -1); }},
        ChangeCase{"Battery", [](UndoTest&, CKAVIRView& v) { v.OnBatteryClicked(false); }},
        ChangeCase{"BandTyping", [](UndoTest&, CKAVIRView& v) {  // keystrokes in one field are one step
                     for (const char* text : {"4", "41", "410"}) v.OnBandEdited(false, text);
                   }},
        ChangeCase{"KeySettingsOk", [](UndoTest& t, CKAVIRView& v) {
                     t.ui.key_settings = [](CKeySettingsDlg& d) { return d.pf[0].selected = 3, true; };
                     v.OnKeySettings();
                   }},
        ChangeCase{"ModelChangeYes", [](UndoTest& t, CKAVIRView& v) { t.ui.answers = {true}, v.OnTypeChanged(2); }, true},
        ChangeCase{"Open", [](UndoTest& t, CKAVIRView& v) {
                     t.ui.open_path = t.dir.files.ModelFile("KV16可定义"), v.document().OnFileOpenDat();
                   }, true},
        ChangeCase{"LoadOfARead", [](UndoTest& t, CKAVIRView& v) {
                     WriteIni(t.dir.files.read_ini, {{"Previous", {{"CH01.RxFreq", "455.00000"}, {"FreqV", "400"}}}});
                     v.LoadProfile(t.dir.files.read_ini);
                   }, true}),
    [](const auto& info) { return std::string(info.param.name); });

// Undo and redo show what they change, whatever page is on show.
TEST_F(UndoTest, UndoOrRedoShowsWhatItChanges) {
  view->editing().FillCells({5, 6, 7, 6}, "低");
  view->OnSelectOption("TimerOut", 1);
  // The page on show and the selection's top, bottom and left.
  const auto expect_shown = [&](const char* what, int page, int top, int bottom, int left) {
    const CellRange& s = view->editing().selection;
    EXPECT_EQ(view->shown_page, page) << what;
    EXPECT_EQ(s.top, top) << what;
    EXPECT_EQ(s.bottom, bottom) << what;
    EXPECT_EQ(s.left, left) << what;
  };
  const struct {
    const char* what;
    void (CKAVIRView::*step)();
    int from_page, page, top, bottom, left;
  } steps[] = {{"undo the option", &CKAVIRView::Undo, 1, 0, 1, 1, 1},
               {"undo the fill", &CKAVIRView::Undo, 1, 1, 5, 7, 6},
               {"redo the fill", &CKAVIRView::Redo, 0, 1, 5, 7, 6}};
  for (const auto& c : steps) {
    view->OnTabChanged(c.from_page), view->editing().selection = CellRange::One(1, 1);
    ((*view).*c.step)();
    expect_shown(c.what, c.page, c.top, c.bottom, c.left);
  }
  // A change of both pages (a load) leaves the user on the page they were on.
  WriteIni(dir.files.read_ini, {{"Previous", {{"CH01.RxFreq", "455.00000"}, {"TimerOut", "15S"}}}});
  for (int page : {0, 1}) {
    view->LoadProfile(dir.files.read_ini);
    view->OnTabChanged(page), view->Undo();
    EXPECT_EQ(view->shown_page, page);
  }
  view->OnBandEdited(true, "460"), view->Undo();  // an edge of the band alone is one change
  EXPECT_EQ(ui.status.back(), "已撤销 1 处修改");
  // A box has no cell: its channel's first cell is shown for it.
  view->OnChBoxClicked(9), view->Undo();
  expect_shown("CH box", 1, 9, 9, 1);
  view->OnTxBoxClicked(12), view->Undo();
  expect_shown("TX box", 1, 12, 12, 1);
}

TEST_F(UndoTest, CommandsThatChangeNothingLeaveNoStep) {
  view->OnOpenAllChannels();  // all channels are open already
  ui.answers = {false};
  view->OnTypeChanged(2);  // answered No
  Type(1, 1, "430.125");   // the value it already has
  view->OnKeySettings();   // cancelled
  // Nothing outside the lists and the 16 channels is taken, or even shown.
  const int options = static_cast<int>(view->Combo("TimerOut")->options.size());
  ui.repaints = 0;
  view->OnSelectOption("TimerOut", options), view->OnSelectOption("TimerOut", -2), view->OnSelectOption("Nothing", 0);
  view->OnChBoxClicked(0), view->OnTxBoxClicked(17), view->OnChBoxClicked(17), view->OnTxBoxClicked(0);
  EXPECT_FALSE(view->CanUndo());
  EXPECT_FALSE(view->IsModified());
  EXPECT_EQ(ui.repaints, 0);
}

TEST(UndoHistory, KeepsTheNewestStepsWithinItsLimit) {
  UndoHistory history(2);
  ScreenState v;
  for (int i = 1; i <= 3; ++i) v.band_lower_limit = i, history.Record(v);
  const double newest = history.Undo(v).band_lower_limit, next = history.Undo(v).band_lower_limit;
  EXPECT_EQ(newest, 3);
  EXPECT_EQ(next, 2);
  EXPECT_FALSE(history.CanUndo());
  EXPECT_TRUE(history.CanRedo());
  history.Record(v);  // a new step drops what was left to redo
  EXPECT_FALSE(history.CanRedo());
  history.Undo(v), history.Clear();  // a start or a new file leaves nothing either way
  EXPECT_FALSE(history.CanRedo());
  EXPECT_FALSE(history.CanUndo());
}

TEST(UndoHistory, CountsTheBytesOfItsTexts) {
  UndoHistory long_text(2);
  ScreenState v;
  long_text.Record(v);
  const std::size_t short_bytes = long_text.MemoryBytes();
  v.setup.channel(9).fields[4].assign(100, 'x');
  long_text.Record(v);
  EXPECT_GE(long_text.MemoryBytes(), 2 * short_bytes + 100);
}

// Typing into one cell is one step until an undo or a redo comes between.
TEST(UndoHistory, TypingIntoOneCellIsOneStep) {
  ScreenState v;
  UndoHistory typing;
  for (int i = 0; i < 3; ++i) typing.Record(v, "cell 1,1");
  EXPECT_EQ(typing.undo_count(), 1u);
  typing.Redo(v), typing.Record(v, "cell 1,1");
  typing.Undo(v), typing.Record(v, "cell 1,1");
  EXPECT_EQ(typing.undo_count(), 2u);
}

TEST_F(UndoTest, UnsavedStateIsDerivedFromTheValues) {
  EXPECT_EQ(view->document().DocumentName(), "无标题");
  std::string seen;  // "m" modified, "-" not, after each step
  const auto step = [&] { seen += view->IsModified() ? 'm' : '-'; };
  Type(1, 1, "401.0125"), step();
  Type(1, 1, "430.125"), step();  // typed back by hand: nothing differs
  view->Undo(), step(), view->Undo(), step(), view->Redo();
  ui.save_path = dir.dir.File("unit 7.dat");
  EXPECT_TRUE(view->document().OnFileSave());  // no file yet: Save As
  step();
  view->Undo(), step();  // back past the save: differs from the file, which stays current
  EXPECT_EQ(view->document().DocumentName(), "unit 7.dat");
  view->Redo(), step();
  EXPECT_EQ(seen, "m-m--m-");
  EXPECT_EQ(view->document().DocumentName(), "unit 7.dat");
  EXPECT_EQ(Stored(ui.save_path, "CH01.RxFreq"), "401.01250");

  Type(2, 1, "402.5");  // Save goes to the current file without a dialog
  const std::size_t dialogs = ui.dialogs.size();
  EXPECT_TRUE(view->document().OnFileSave());
  EXPECT_EQ(ui.dialogs.size(), dialogs);
  EXPECT_EQ(Stored(ui.save_path, "CH02.RxFreq"), "402.50000");
}

TEST_F(UndoTest, ReplacingUnsavedChangesAsksFirst) {
  Type(1, 1, "401.0125");
  ui.open_path = dir.files.ModelFile("KV16可定义");
  ui.save_answers = {SaveChoice::Cancel};
  view->document().OnFileOpenDat();
  EXPECT_EQ(ui.save_prompts.size(), 1u);
  EXPECT_TRUE(ui.dialogs.empty());  // cancelled before the file dialog

  // 保存 with no file: Save As cancelled keeps everything.
  ui.save_answers = {SaveChoice::Save};
  view->document().OnFileOpenDat();
  EXPECT_EQ(view->Cell(1, 1).text, "401.01250");
  EXPECT_EQ(view->current_model_name, "KV16U");

  ui.save_answers = {SaveChoice::Save};
  ui.save_path = dir.dir.File("kept.dat");
  view->document().OnFileOpenDat();
  EXPECT_EQ(Stored(ui.save_path, "CH01.RxFreq"), "401.01250");
  EXPECT_EQ(view->document().current_file_name, ui.open_path);
  EXPECT_FALSE(view->IsModified());

  ui.open_path = dir.files.ModelFile("KV16U");
  view->document().OnFileOpenDat();  // a clean screen is replaced without a question
  EXPECT_EQ(ui.save_prompts.size(), 3u);
  Type(1, 1, "401.0125");  // a model change asks too; Undo brings the set-up back
  ui.answers = {true}, ui.save_answers = {SaveChoice::Discard};
  view->OnTypeChanged(2);
  ASSERT_EQ(view->current_model_name, "KV16可定义");
  EXPECT_EQ(ui.save_prompts.size(), 4u);
  view->Undo();
  EXPECT_EQ(view->Cell(1, 1).text, "401.01250");
  EXPECT_EQ(view->current_model_name, "KV16U");
}

}  // namespace
}  // namespace kavir::test
