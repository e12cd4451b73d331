#include "report_page.h"

#include <optional>

#include "ini/local_time.h"
#include "ini/translate.h"
#include "setup/option_texts.h"

namespace kavir {
namespace {

// Space kept between a text and the line that ends its room.
constexpr int kGap = 3;
// The right edge of the boxes.
constexpr int kRight = 720;

// Builds the display list in drawing order.
class Page {
 public:
  void Font(ReportFont f) { font_ = f; }
  // up_to: where the room of the text ends (the next line to its right).
  void Text(int x, int d, std::string text, int up_to) {
    page_.items.push_back({ReportItem::Kind::Text, {x, d, font_, std::move(text), up_to - kGap - x}, {}});
  }
  void Line(int x1, int d1, int x2, int d2) { page_.items.push_back({ReportItem::Kind::Line, {}, {x1, d1, x2, d2}}); }
  ReportPage Take() { return std::move(page_); }

 private:
  ReportPage page_;
  ReportFont font_ = ReportFont::Body;
};

struct Labelled {
  int d;
  const char* label;
  std::optional<Setting> setting;  // nullopt for the battery box
};

// Settings of the left column, labels at x 75 and values at x 235.
constexpr Labelled kCommonSettings[] = {
    {220, KAVIR_TR_NOOP("Report", "发射定时限制:"), Setting::TimerOut},
    {245, KAVIR_TR_NOOP("Report", "发射定时预警时间:"), Setting::Prealet},
};
constexpr Labelled kModeSettings[] = {
    {320, KAVIR_TR_NOOP("Report", "监听功能:"), Setting::ChannelMonitor},
    {345, KAVIR_TR_NOOP("Report", "静态电平等级:"), Setting::SquelchLevel},
    {370, KAVIR_TR_NOOP("Report", "BEEP音开关:"), Setting::Beep},
    {395, KAVIR_TR_NOOP("Report", "电池省电使能:"), std::nullopt},
    {420, KAVIR_TR_NOOP("Report", "语音报告功能:"), Setting::Voice},
    {445, KAVIR_TR_NOOP("Report", "报警模式选择:"), Setting::Alarm},
    {470, KAVIR_TR_NOOP("Report", "整机正常运行控制:"), Setting::RunControl},
    {495, KAVIR_TR_NOOP("Report", "数据复制使能:"), Setting::CloneEnable},
    {520, KAVIR_TR_NOOP("Report", "工厂自调测模式使能:"), Setting::TuningMode},
};
// Scan settings, labels at x 425 and values at x 585.
constexpr Labelled kScanSettings[] = {
    {195, KAVIR_TR_NOOP("Report", "频道扫描控制:"), Setting::ScanOperation},
    {220, KAVIR_TR_NOOP("Report", "优先频道选择方式:"), Setting::ChanMode},
    {245, KAVIR_TR_NOOP("Report", "优先频道设置:"), Setting::ChanSet},
    {270, KAVIR_TR_NOOP("Report", "回扫周期A:"), Setting::LookA},
    {295, KAVIR_TR_NOOP("Report", "接收停留时间:"), Setting::RxStay},
    {320, KAVIR_TR_NOOP("Report", "收信停止(跌落)延时:"), Setting::RxRestart},
    {345, KAVIR_TR_NOOP("Report", "发信停止(跌落)延时:"), Setting::TxRestart},
    {370, KAVIR_TR_NOOP("Report", "接收回复信道选择:"), Setting::RxCH},
    {395, KAVIR_TR_NOOP("Report", "发射信道选择:"), Setting::TxChanSel},
    {420, KAVIR_TR_NOOP("Report", "指配信道设置:"), Setting::AssignCHSet},
    {445, KAVIR_TR_NOOP("Report", "信道扫描方向:"), Setting::ScanDirection},
    {470, KAVIR_TR_NOOP("Report", "信道扫描速度:"), Setting::ScanSpeed},
    {495, KAVIR_TR_NOOP("Report", "扫描声音使能:"), Setting::ScanAlert},
    {520, KAVIR_TR_NOOP("Report", "删除/追加使能:"), Setting::ScanDelAdd},
    {545, KAVIR_TR_NOOP("Report", "暂时删除使能:"), Setting::TempDel},
};

constexpr const char* kChannelHeaders[] = {
    KAVIR_TR_NOOP("Report", "接收"),     KAVIR_TR_NOOP("Report", "发射"),     KAVIR_TR_NOOP("Report", "通道"),
    KAVIR_TR_NOOP("Report", "接收频率"), KAVIR_TR_NOOP("Report", "接收信令"), KAVIR_TR_NOOP("Report", "发射频率"),
    KAVIR_TR_NOOP("Report", "发射信令"), KAVIR_TR_NOOP("Report", "繁忙锁定"), KAVIR_TR_NOOP("Report", "发射功率"),
    KAVIR_TR_NOOP("Report", "信道扫描"), KAVIR_TR_NOOP("Report", "时钟拍频"), KAVIR_TR_NOOP("Report", "宽带")};
constexpr int kChannelHeaderX[] = {25, 58, 93, 130, 200, 270, 340, 410, 480, 550, 620, 690};
constexpr int kCellX[] = {130, 200, 270, 340, 410, 480, 550, 620, 690};
constexpr int kChannelVerticals[] = {20, 55, 90, 125, 195, 265, 335, 405, 475, 545, 615, 685, 720};

const char* Mark(bool on) { return on ? "√" : "×"; }

}  // namespace

std::string BandText(const std::string& lower, const std::string& upper) {
  if (lower.empty() && upper.empty()) return {};
  return lower + " - " + upper;
}

ReportFontSpec FontSpec(ReportFont font) {
  switch (font) {
    case ReportFont::Title:
      return {"Arial", 30};
    case ReportFont::Box:
      return {"宋体", 20};
    case ReportFont::Heading:
      return {"宋体", 16};
    case ReportFont::Body:
      return {"宋体", 13};
  }
  return {"宋体", 13};
}

std::string ReportTimestamp(std::time_t now_utc) { return LocalDateTimeText(now_utc); }

ReportPage BuildReport(const Setup& setup, const std::string& file_name, std::time_t now_utc,
                       const OptionTexts* shown) {
  Page p;
  auto tr = [](const char* text) { return TrText("Report", text); };
  // Option texts as the screen shows them; the file keeps the stored ones.
  auto value = [shown](const std::string& stored) { return shown ? shown->Shown(stored) : stored; };
  const std::string& model = setup.model();

  p.Font(ReportFont::Title);
  p.Text(240, 15, ArgText(TrText("Report", "%1对讲机编程信息"), {model}), kReportPageWidth);
  p.Font(ReportFont::Heading);
  p.Text(580, 40, ReportTimestamp(now_utc), kReportPageWidth);

  p.Font(ReportFont::Box);
  for (int d : {65, 102, 139}) p.Line(20, d, 720, d);
  p.Line(20, 65, 20, 140);
  p.Line(253, 102, 253, 139);
  p.Line(486, 102, 486, 139);
  p.Line(720, 65, 720, 140);
  p.Text(25, 75, TrText("Report", "文件名称:"), 175);
  p.Text(25, 110, TrText("Report", "机器类型:"), 135);
  p.Text(258, 110, TrText("Report", "工作模式:"), 368);
  p.Text(491, 110, TrText("Report", "频率范围:"), 586);

  p.Font(ReportFont::Heading);
  p.Text(25, 165, TrText("Report", "常用参数"), kRight);  // the screen's group names, as in the help
  p.Font(ReportFont::Body);
  p.Text(25, 195, TrText("Report", "TOT发射定时限制"), 310);
  for (const Labelled& s : kCommonSettings) p.Text(75, s.d, tr(s.label), 225);
  p.Font(ReportFont::Heading);
  p.Text(25, 295, TrText("Report", "机型"), 370);
  p.Font(ReportFont::Body);
  for (const Labelled& s : kModeSettings) p.Text(75, s.d, tr(s.label), 225);
  p.Font(ReportFont::Heading);
  p.Text(325, 195, TrText("Report", "扫描信息"), 425);
  p.Font(ReportFont::Body);
  for (const Labelled& s : kScanSettings) p.Text(425, s.d, tr(s.label), 575);

  for (int d = 190; d <= 565; d += 25) p.Line(20, d, 720, d);
  p.Line(20, 190, 20, 565);
  p.Line(225, 215, 225, 265);
  p.Line(225, 315, 225, 540);
  p.Line(310, 190, 310, 215);
  p.Line(370, 215, 370, 565);
  p.Line(575, 190, 575, 565);
  p.Line(720, 190, 720, 565);

  for (int d = 615; d <= 1040; d += 25) p.Line(20, d, 720, d);
  for (int x : kChannelVerticals) p.Line(x, 615, x, 1040);

  p.Font(ReportFont::Heading);
  p.Text(25, 595, TrText("Report", "信道设置"), kRight);
  p.Font(ReportFont::Body);
  for (int i = 0; i < 12; ++i) p.Text(kChannelHeaderX[i], 620, tr(kChannelHeaders[i]), kChannelVerticals[i + 1]);

  // The work mode prints the model's mode text, which tells the band.
  p.Text(175, 75, file_name, kRight);
  p.Text(135, 110, value(model), 253);
  p.Text(368, 110, value(setup[Setting::Mode].text), 486);
  p.Text(586, 110, BandText(setup.band_lower, setup.band_upper), kRight);

  for (const Labelled& s : kCommonSettings) p.Text(235, s.d, value(setup[*s.setting].text), 370);
  for (const Labelled& s : kModeSettings)
    p.Text(235, s.d, s.setting ? value(setup[*s.setting].text) : Mark(setup.battery_saver), 370);
  for (const Labelled& s : kScanSettings) p.Text(585, s.d, value(setup[*s.setting].text), kRight);

  for (int n = 1; n <= kChannels; ++n) {
    const int d = 645 + 25 * (n - 1);
    const Channel& c = setup.channel(n);
    p.Text(25, d, Mark(c.enabled), kChannelVerticals[1]);
    p.Text(58, d, Mark(c.tx_enabled), kChannelVerticals[2]);
    p.Text(93, d, ChannelLabel(n), kChannelVerticals[3]);
    for (int f = 0; f < kChannelFieldCount; ++f) p.Text(kCellX[f], d, value(c.fields[f]), kChannelVerticals[f + 4]);
  }
  return p.Take();
}

std::vector<ReportText> ReportPage::Texts() const {
  std::vector<ReportText> t;
  for (const ReportItem& i : items)
    if (i.kind == ReportItem::Kind::Text) t.push_back(i.text);
  return t;
}

std::vector<ReportLine> ReportPage::Lines() const {
  std::vector<ReportLine> l;
  for (const ReportItem& i : items)
    if (i.kind == ReportItem::Kind::Line) l.push_back(i.line);
  return l;
}

const ReportText* ReportPage::TextAt(int x, int d) const {
  for (const ReportItem& i : items)
    if (i.kind == ReportItem::Kind::Text && i.text.x == x && i.text.d == d) return &i.text;
  return nullptr;
}

}  // namespace kavir
