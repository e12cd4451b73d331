#include "report_page.h"

#include <chrono>
#include <cstdio>

#include "profile/local_time.h"
#include "screen/kavir_view.h"

namespace kavir {
namespace {

// Builds the display list in drawing order.
class Page {
 public:
  void Font(ReportFont f) { font_ = f; }
  void Text(int x, int d, std::string text) {
    page_.items.push_back({ReportItem::Kind::Text, {x, d, font_, std::move(text)}, {}});
  }
  void Line(int x1, int d1, int x2, int d2) {
    page_.items.push_back({ReportItem::Kind::Line, {}, {x1, d1, x2, d2}});
  }
  ReportPage Take() { return std::move(page_); }

 private:
  ReportPage page_;
  ReportFont font_ = ReportFont::Body;
};

struct Labelled {
  int d;
  const char* label;
  const char* key;  // drop-down key; nullptr for the battery box
};

// Settings of the left column, labels at x 75 and values at x 235.
constexpr Labelled kCommonSettings[] = {
    {220, "发射定时限制:", "TimerOut"},     {245, "发射定时预警时间:", "Prealet"},
};
constexpr Labelled kModeSettings[] = {
    {320, "监听功能:", "ChannelMonitor"},   {345, "静态电平等级:", "SquelchLevel"},
    {370, "BEEP音开关:", "Beep"},           {395, "电池省电使能:", nullptr},
    {420, "语音报告功能:", "Voice"},        {445, "报警模式选择:", "Alarm"},
    {470, "整机正常运行控制:", "RunControl"}, {495, "数据复制使能:", "CloneEnable"},
    {520, "工厂自调测模式使能:", "TuningMode"},
};
// Scan settings, labels at x 425 and values at x 585.
constexpr Labelled kScanSettings[] = {
    {195, "频道扫描控制:", "ScanOperation"},     {220, "优先频道选择方式:", "ChanMode"},
    {245, "优先频道设置:", "ChanSet"},           {270, "回扫周期A:", "LookA"},
    {295, "接收停留时间:", "RxStay"},            {320, "收信停止(跌落)延时:", "RxRestart"},
    {345, "发信停止(跌落)延时:", "TxRestart"},   {370, "接收回复信道选择:", "RxCH"},
    {395, "发射信道选择:", "TxChanSel"},         {420, "指配信道设置:", "AssignCHSet"},
    {445, "信道扫描方向:", "ScanDirection"},     {470, "信道扫描速度:", "ScanSpeed"},
    {495, "扫描声音使能:", "ScanAlert"},         {520, "删除/追加使能:", "ScanDelAdd"},
    {545, "暂时删除使能:", "TempDel"},
};

constexpr const char* kChannelHeaders[] = {"接收",     "发射",     "通道",     "接收频率",
                                           "接收信令", "发射频率", "发射信令", "繁忙锁定",
                                           "发射功率", "信道扫描", "时钟拍频", "宽带"};
constexpr int kChannelHeaderX[] = {25, 58, 93, 130, 200, 270, 340, 410, 480, 550, 620, 690};
constexpr int kCellX[] = {130, 200, 270, 340, 410, 480, 550, 620, 690};
constexpr int kChannelVerticals[] = {20, 55, 90, 125, 195, 265, 335, 405, 475, 545, 615, 685, 720};

const char* Mark(const CheckBox& box) { return box.checked() ? "√" : "×"; }

std::string Selected(const CKAVIRView& view, const char* key) {
  const ComboBox* c = view.Combo(key);
  return c ? c->SelectedText() : std::string();
}

}  // namespace

ReportFontSpec FontSpec(ReportFont font) {
  switch (font) {
    case ReportFont::Title: return {"Arial", 30};
    case ReportFont::Box: return {"宋体", 20};
    case ReportFont::Heading: return {"宋体", 16};
    case ReportFont::Body: return {"宋体", 13};
  }
  return {"宋体", 13};
}

std::string ReportTimestamp(std::time_t now_utc) { return LocalDateTimeText(now_utc); }

ReportPage PrintReport(CKAVIRView& view, std::time_t now_utc) {
  Page p;
  const std::string model = Selected(view, "Type");

  p.Font(ReportFont::Title);
  p.Text(240, 15, model + "对讲机编程信息");
  p.Font(ReportFont::Heading);
  p.Text(580, 40, ReportTimestamp(now_utc));

  p.Font(ReportFont::Box);
  for (int d : {65, 102, 139}) p.Line(20, d, 720, d);
  p.Line(20, 65, 20, 140);
  p.Line(253, 102, 253, 139);
  p.Line(486, 102, 486, 139);
  p.Line(720, 65, 720, 140);
  p.Text(25, 75, "文件名称:");
  p.Text(25, 110, "机器类型:");
  p.Text(258, 110, "工作模式:");
  p.Text(491, 110, "频率范围:");

  p.Font(ReportFont::Heading);
  p.Text(25, 165, "常用参数");  // the screen's group names, as in the help
  p.Font(ReportFont::Body);
  p.Text(25, 195, "TOT发射定时限制");
  for (const Labelled& s : kCommonSettings) p.Text(75, s.d, s.label);
  p.Font(ReportFont::Heading);
  p.Text(25, 295, "机型");
  p.Font(ReportFont::Body);
  for (const Labelled& s : kModeSettings) p.Text(75, s.d, s.label);
  p.Font(ReportFont::Heading);
  p.Text(325, 195, "扫描信息");
  p.Font(ReportFont::Body);
  for (const Labelled& s : kScanSettings) p.Text(425, s.d, s.label);

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
  p.Text(25, 595, "信道设置");
  p.Font(ReportFont::Body);
  for (int i = 0; i < 12; ++i) p.Text(kChannelHeaderX[i], 620, kChannelHeaders[i]);

  // The work mode prints the model's mode text, which tells the band.
  p.Text(175, 75, view.current_file_name);
  p.Text(135, 110, model);
  p.Text(368, 110, Selected(view, "Mode"));
  p.Text(586, 110, view.band_lower.text);
  p.Text(651, 125, view.band_upper.text);

  for (const Labelled& s : kCommonSettings) p.Text(235, s.d, Selected(view, s.key));
  for (const Labelled& s : kModeSettings)
    p.Text(235, s.d, s.key ? Selected(view, s.key) : Mark(view.battery));
  for (const Labelled& s : kScanSettings) p.Text(585, s.d, Selected(view, s.key));

  for (int n = 1; n <= 16; ++n) {
    const int d = 645 + 25 * (n - 1);
    p.Text(25, d, Mark(view.ch_box[n - 1]));
    p.Text(58, d, Mark(view.tx_box[n - 1]));
    char ch[8];
    std::snprintf(ch, sizeof ch, "CH%02d", n);
    p.Text(93, d, ch);
    for (int c = 1; c <= 9; ++c) p.Text(kCellX[c - 1], d, view.grid.Text(n, c));
  }

  view.grid.row = 16;
  view.grid.col = 9;
  view.ui().Repaint();
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
