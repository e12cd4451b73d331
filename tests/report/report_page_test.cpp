#include <gtest/gtest.h>

#include <filesystem>

#include "../profile/scoped_time_zone.h"
#include "profile/file_path.h"
#include "report/report_page.h"
#include "screen_test_support.h"

namespace kavir::test {
namespace {

namespace fs = std::filesystem;

// 20:15 UTC on 10 March 2006.
constexpr std::time_t kPrinted = 1142021700;

class Report : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& e : fs::directory_iterator(KAVIR_DATA_DIR))
      if (e.is_regular_file()) fs::copy_file(e.path(), PathFromUtf8(dir.path()) / e.path().filename());
    files = WorkingFiles::FromDirectory(dir.path());
    view = std::make_unique<CKAVIRView>(files, ui);
    view->OnInitialUpdate(nullptr);
    view->LoadProfile(files.ModelFile("KV16U"));
  }
  std::string At(const ReportPage& p, int x, int d) {
    const ReportText* t = p.TextAt(x, d);
    return t ? t->text : "<none>";
  }
  TempDir dir;
  WorkingFiles files;
  FakeUi ui;
  std::unique_ptr<CKAVIRView> view;
};

TEST_F(Report, TimestampIsLocalTimeWithTheDate) {
  ScopedTimeZone china("CST-8");
  EXPECT_EQ(ReportTimestamp(kPrinted), "2006-03-11 04:15:00");
  auto page = PrintReport(*view, kPrinted);
  EXPECT_EQ(At(page, 580, 40), "2006-03-11 04:15:00");
  EXPECT_EQ(page.TextAt(580, 40)->font, ReportFont::Heading);
}

TEST_F(Report, TitleAndHeaderBoxShowModelModeBandAndFile) {
  view->current_file_name = "/home/tech/radios/unit7.dat";
  auto page = PrintReport(*view, kPrinted);
  ASSERT_FALSE(page.items.empty());
  const ReportText& first = page.items.front().text;
  EXPECT_EQ(first.text, "KV16U对讲机编程信息");
  EXPECT_EQ(first.x, 240);
  EXPECT_EQ(first.d, 15);
  EXPECT_EQ(first.font, ReportFont::Title);
  EXPECT_EQ(At(page, 25, 75), "文件名称:");
  EXPECT_EQ(page.TextAt(25, 75)->font, ReportFont::Box);
  EXPECT_EQ(At(page, 175, 75), "/home/tech/radios/unit7.dat");
  EXPECT_EQ(At(page, 135, 110), "KV16U");
  EXPECT_EQ(At(page, 368, 110), view->Combo("Mode")->SelectedText());
  EXPECT_EQ(At(page, 586, 110), "400");
  EXPECT_EQ(At(page, 651, 125), "470");
  EXPECT_EQ(page.TextAt(586, 110)->font, ReportFont::Body);
}

TEST_F(Report, EverySettingPrintsItsSelectedOptionOnItsLabelsLine) {
  auto page = PrintReport(*view, kPrinted);
  const struct {
    int x, d;
    const char* label;
    int vx;
    const char* key;
  } rows[] = {
      {75, 220, "发射定时限制:", 235, "TimerOut"},      {75, 245, "发射定时预警时间:", 235, "Prealet"},
      {75, 320, "监听功能:", 235, "ChannelMonitor"},    {75, 345, "静态电平等级:", 235, "SquelchLevel"},
      {75, 370, "BEEP音开关:", 235, "Beep"},            {75, 420, "语音报告功能:", 235, "Voice"},
      {75, 445, "报警模式选择:", 235, "Alarm"},         {75, 470, "整机正常运行控制:", 235, "RunControl"},
      {75, 495, "数据复制使能:", 235, "CloneEnable"},   {75, 520, "工厂自调测模式使能:", 235, "TuningMode"},
      {425, 195, "频道扫描控制:", 585, "ScanOperation"}, {425, 220, "优先频道选择方式:", 585, "ChanMode"},
      {425, 245, "优先频道设置:", 585, "ChanSet"},       {425, 270, "回扫周期A:", 585, "LookA"},
      {425, 295, "接收停留时间:", 585, "RxStay"},        {425, 320, "收信停止(跌落)延时:", 585, "RxRestart"},
      {425, 345, "发信停止(跌落)延时:", 585, "TxRestart"}, {425, 370, "接收回复信道选择:", 585, "RxCH"},
      {425, 395, "发射信道选择:", 585, "TxChanSel"},     {425, 420, "指配信道设置:", 585, "AssignCHSet"},
      {425, 445, "信道扫描方向:", 585, "ScanDirection"}, {425, 470, "信道扫描速度:", 585, "ScanSpeed"},
      {425, 495, "扫描声音使能:", 585, "ScanAlert"},     {425, 520, "删除/追加使能:", 585, "ScanDelAdd"},
      {425, 545, "暂时删除使能:", 585, "TempDel"},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(At(page, r.x, r.d), r.label);
    EXPECT_EQ(At(page, r.vx, r.d), view->Combo(r.key)->SelectedText()) << r.key;
    EXPECT_FALSE(view->Combo(r.key)->SelectedText().empty()) << r.key;
  }
  EXPECT_EQ(At(page, 75, 395), "电池省电使能:");
  EXPECT_EQ(At(page, 235, 395), view->battery.checked() ? "√" : "×");
  view->battery.state = 1 - view->battery.state;
  EXPECT_EQ(At(PrintReport(*view, kPrinted), 235, 395), view->battery.checked() ? "√" : "×");
}

TEST_F(Report, ChannelRowsPrintBoxesAndEveryCellEvenOfAClosedChannel) {
  view->ch_box[2].state = 0;
  view->UpdateChannelRow(3);
  auto page = PrintReport(*view, kPrinted);
  const int d = 645 + 25 * 2;
  EXPECT_EQ(At(page, 25, d), "×");
  EXPECT_EQ(At(page, 93, d), "CH03");
  const int xs[] = {130, 200, 270, 340, 410, 480, 550, 620, 690};
  for (int c = 1; c <= 9; ++c) EXPECT_EQ(At(page, xs[c - 1], d), view->grid.Text(3, c));
  EXPECT_EQ(At(page, 25, 645), "√");
  EXPECT_EQ(At(page, 93, 645 + 25 * 15), "CH16");
  EXPECT_EQ(At(page, 690, 620), "宽带");
}

TEST_F(Report, BoxLinesAreWhereThePageIsRuled) {
  auto lines = PrintReport(*view, kPrinted).Lines();
  auto has = [&](int x1, int d1, int x2, int d2) {
    for (const auto& l : lines)
      if (l.x1 == x1 && l.d1 == d1 && l.x2 == x2 && l.d2 == d2) return true;
    return false;
  };
  EXPECT_TRUE(has(20, 65, 720, 65));
  EXPECT_TRUE(has(720, 65, 720, 140));
  EXPECT_TRUE(has(20, 565, 720, 565));
  EXPECT_TRUE(has(225, 315, 225, 540));
  EXPECT_TRUE(has(20, 1040, 720, 1040));
  EXPECT_TRUE(has(685, 615, 685, 1040));
  EXPECT_EQ(lines.size(), 3u + 4u + 16u + 7u + 18u + 13u);
}

TEST_F(Report, EmptyScreenPrintsTheBareTitleAndEmptyValues) {
  FakeUi bare_ui;
  CKAVIRView bare(WorkingFiles::FromDirectory(dir.File("nothing-here")), bare_ui);
  bare.OnInitialUpdate(nullptr);
  auto page = PrintReport(bare, kPrinted);
  EXPECT_EQ(page.items.front().text.text, "对讲机编程信息");
  EXPECT_EQ(At(page, 135, 110), "");
  EXPECT_EQ(At(page, 175, 75), "");
  EXPECT_EQ(At(page, 235, 220), "");
}

TEST_F(Report, PrintingChangesNoSettingAndEndsOnTheLastCell) {
  const auto before = view->ProfileValues();
  const int repaints = ui.repaints;
  view->grid.row = 2;
  view->grid.col = 3;
  PrintReport(*view, kPrinted);
  EXPECT_EQ(view->ProfileValues(), before);
  EXPECT_EQ(view->grid.row, 16);
  EXPECT_EQ(view->grid.col, 9);
  EXPECT_GT(ui.repaints, repaints);
}

}  // namespace
}  // namespace kavir::test
