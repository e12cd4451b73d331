#include "report/report_page.h"

#include <gtest/gtest.h>

#include "program_files.h"
#include "scoped_time_zone.h"
#include "shipped_setup.h"

namespace kavir::test {
namespace {

constexpr std::time_t kPrinted = 1142021700;  // 20:15 UTC on 10 March 2006

class Report : public ::testing::Test {
 protected:
  ReportPage Print() const { return BuildReport(setup, "", kPrinted); }
  std::string At(const ReportPage& p, int x, int d) {
    const ReportText* t = p.TextAt(x, d);
    return t ? t->text : "<none>";
  }
  ReportFont FontAt(const ReportPage& p, int x, int d) {
    const ReportText* t = p.TextAt(x, d);
    return t ? t->font : ReportFont::Title;
  }
  ShippedSetups shipped;
  kavir::Setup setup = shipped.Model("KV16U");
};

TEST_F(Report, TheFixedTextsStandInTheirPlacesWithTheirFonts) {
  ScopedTimeZone china("CST-8");
  const auto page = BuildReport(setup, "/home/tech/radios/unit7.dat", kPrinted);
  ASSERT_FALSE(page.items.empty());
  EXPECT_EQ(page.items.front().text.text, "KV16U对讲机编程信息");
  EXPECT_EQ(ReportTimestamp(kPrinted), "2006-03-11 04:15:00");  // local time
  struct {
    int x, d;
    std::string text;
    ReportFont font;
  } texts[] = {
      {240, 15, "KV16U对讲机编程信息", ReportFont::Title},
      {580, 40, "2006-03-11 04:15:00", ReportFont::Heading},
      {25, 75, "文件名称:", ReportFont::Box},
      {175, 75, "/home/tech/radios/unit7.dat", ReportFont::Body},
      {135, 110, "KV16U", ReportFont::Body},
      {368, 110, setup[Setting::Mode].text, ReportFont::Body},
      {586, 110, "400 - 470", ReportFont::Body},
      {25, 165, "常用参数", ReportFont::Heading},
      {25, 195, "TOT发射定时限制", ReportFont::Body},
      {25, 295, "机型", ReportFont::Heading},
      {325, 195, "扫描信息", ReportFont::Heading},
      {25, 595, "信道设置", ReportFont::Heading},
      {58, 620, "发射", ReportFont::Body},
      {75, 395, "电池省电使能:", ReportFont::Body},
      {690, 620, "宽带", ReportFont::Body},
      {25, 110, "机器类型:", ReportFont::Box},
      {258, 110, "工作模式:", ReportFont::Box},
      {491, 110, "频率范围:", ReportFont::Box},
      {425, 195, "频道扫描控制:", ReportFont::Body},
  };
  for (const auto& t : texts) {
    EXPECT_EQ(At(page, t.x, t.d), t.text) << t.x << "," << t.d;
    EXPECT_EQ(FontAt(page, t.x, t.d), t.font) << t.text;
  }
}

// The faces and cell heights the printer is given.
TEST(ReportFonts, EachGivesThePrinterItsFaceWithItsHeight) {
  const std::pair<std::string, int> fonts[] = {{"Arial", 30}, {"宋体", 20}, {"宋体", 16}, {"宋体", 13}};
  for (ReportFont f : {ReportFont::Title, ReportFont::Box, ReportFont::Heading, ReportFont::Body}) {
    EXPECT_EQ(FontSpec(f).face, fonts[static_cast<int>(f)].first);
    EXPECT_EQ(FontSpec(f).height, fonts[static_cast<int>(f)].second);
  }
}

TEST_F(Report, EverySettingPrintsItsSelectedOptionOnItsLabelsLine) {
  const auto page = Print();
  const struct {
    int x, d;
    const char* label;
    const char* key;
  } rows[] = {
      {75, 220, "发射定时限制:", "TimerOut"},
      {75, 245, "发射定时预警时间:", "Prealet"},
      {75, 320, "监听功能:", "ChannelMonitor"},
      {75, 345, "静态电平等级:", "SquelchLevel"},
      {75, 370, "BEEP音开关:", "Beep"},
      {75, 420, "语音报告功能:", "Voice"},
      {75, 445, "报警模式选择:", "Alarm"},
      {75, 470, "整机正常运行控制:", "RunControl"},
      {75, 495, "数据复制使能:", "CloneEnable"},
      {75, 520, "工厂自调测模式使能:", "TuningMode"},
      {425, 195, "频道扫描控制:", "ScanOperation"},
      {425, 220, "优先频道选择方式:", "ChanMode"},
      {425, 245, "优先频道设置:", "ChanSet"},
      {425, 270, "回扫周期A:", "LookA"},
      {425, 295, "接收停留时间:", "RxStay"},
      {425, 320, "收信停止(跌落)延时:", "RxRestart"},
      {425, 345, "发信停止(跌落)延时:", "TxRestart"},
      {425, 370, "接收回复信道选择:", "RxCH"},
      {425, 395, "发射信道选择:", "TxChanSel"},
      {425, 420, "指配信道设置:", "AssignCHSet"},
      {425, 445, "信道扫描方向:", "ScanDirection"},
      {425, 470, "信道扫描速度:", "ScanSpeed"},
      {425, 495, "扫描声音使能:", "ScanAlert"},
      {425, 520, "删除/追加使能:", "ScanDelAdd"},
      {425, 545, "暂时删除使能:", "TempDel"},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(At(page, r.x, r.d), r.label);
    const std::string& chosen = setup[*FindSetting(r.key)].text;
    EXPECT_FALSE(chosen.empty()) << r.key;
    EXPECT_EQ(At(page, r.x + 160, r.d), chosen) << r.key;
  }
  EXPECT_EQ(At(page, 75, 395), "电池省电使能:");
  for (bool battery : {false, true}) {
    setup.battery_saver = battery;
    EXPECT_EQ(At(Print(), 235, 395), battery ? "√" : "×");
  }
}

TEST_F(Report, EachChannelRowPrintsAllItHoldsEvenWhenClosed) {
  for (int n = 1; n <= 16; ++n) {
    setup.channel(n).enabled = n != 3;
    setup.channel(n).tx_enabled = n != 3 && n != 5;
  }
  setup.channel(3)[ChannelField::RxFreq] = "145.5";  // as typed
  setup.channel(3)[ChannelField::RxTone] = "";
  const auto page = Print();
  // Every column's header stands above its cells: the marks, the channel name, the nine cells.
  std::vector<int> header_x, cell_x;
  for (const ReportText& t : page.Texts()) {
    if (t.d == 620) header_x.push_back(t.x);
    if (t.d == 645) cell_x.push_back(t.x);
  }
  ASSERT_EQ(header_x.size(), 12u);
  EXPECT_EQ(header_x, cell_x);
  for (int n = 1; n <= 16; ++n) {
    const int d = 645 + 25 * (n - 1);
    EXPECT_EQ(At(page, header_x[0], d), n == 3 ? "×" : "√") << n;
    EXPECT_EQ(At(page, header_x[1], d), n == 3 || n == 5 ? "×" : "√") << n;
    EXPECT_EQ(At(page, header_x[2], d), ChannelLabel(n));
    for (int c = 1; c <= 9; ++c)
      EXPECT_EQ(At(page, header_x[c + 2], d), setup.channel(n).fields[c - 1]) << n << "," << c;
  }
}

TEST_F(Report, ThePageIsRuled) {
  const auto lines = Print().Lines();
  auto has = [&](int x1, int d1, int x2, int d2) {
    for (const auto& l : lines)
      if (l.x1 == x1 && l.d1 == d1 && l.x2 == x2 && l.d2 == d2) return true;
    return false;
  };
  for (auto [x1, d1, x2, d2] : std::vector<std::array<int, 4>>{{20, 65, 720, 65},
                                                               {20, 102, 720, 102},
                                                               {20, 139, 720, 139},
                                                               {720, 65, 720, 140},
                                                               {20, 565, 720, 565},
                                                               {225, 315, 225, 540},
                                                               {20, 1040, 720, 1040},
                                                               {125, 615, 125, 1040},
                                                               {685, 615, 685, 1040}})
    EXPECT_TRUE(has(x1, d1, x2, d2)) << x1 << "," << d1 << "," << x2 << "," << d2;
  EXPECT_EQ(lines.size(), 3u + 4u + 16u + 7u + 18u + 13u);
}

TEST_F(Report, AnEmptySetupPrintsBlanks) {
  const auto page = BuildReport(kavir::Setup{}, "", kPrinted);
  EXPECT_EQ(page.items.front().text.text, "对讲机编程信息");
  for (auto [x, d] : std::vector<std::pair<int, int>>{{135, 110}, {175, 75}, {235, 220}}) EXPECT_EQ(At(page, x, d), "");
}

TEST_F(Report, TheBandIsOneRangeOfTheLimitsThereAre) {
  EXPECT_EQ(At(Print(), 651, 125), "<none>");
  const struct {
    const char *lower, *upper, *shown;
  } bands[] = {{"136", "174", "136 - 174"}, {"", "", ""}, {"136", "", "136 - "}, {"", "174", " - 174"}};
  for (const auto& b : bands) {
    setup.band_lower = b.lower;
    setup.band_upper = b.upper;
    EXPECT_EQ(At(Print(), 586, 110), b.shown) << b.lower << "|" << b.upper;
  }
}

// Each text's room ends before the first line or text to its right on its
// row, so a renderer that keeps texts in their room never writes over one;
// where a line or text follows, the room reaches it.
TEST_F(Report, EveryTextHasRoomUpToTheNextLineOnItsRow) {
  const ReportPage page = BuildReport(setup, "/a/long/path/to/a/file.dat", kPrinted);
  const auto lines = page.Lines();
  for (const ReportText& t : page.Texts()) {
    const int height = FontSpec(t.font).height;
    int next = kReportPageWidth;
    for (const ReportLine& l : lines)
      if (l.x1 == l.x2 && l.x1 > t.x && std::min(l.d1, l.d2) < t.d + height && std::max(l.d1, l.d2) > t.d)
        next = std::min(next, l.x1);
    for (const ReportText& other : page.Texts())
      if (other.d == t.d && other.x > t.x) next = std::min(next, other.x);
    EXPECT_GT(t.room, 0) << t.text;
    EXPECT_LE(t.x + t.room, next) << t.text << " at " << t.x << "," << t.d;
    if (next < kReportPageWidth) {
      EXPECT_GE(t.x + t.room, next - 5) << t.text << " at " << t.x << "," << t.d;
    }
  }
}

}  // namespace
}  // namespace kavir::test
