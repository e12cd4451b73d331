// What must be right on the screen before its image may go into a radio.
#include <cstdio>

#include "codec.h"
#include "frequency_raster.h"
#include "profile/conversions.h"
#include "screen/kavir_view.h"

namespace kavir {
namespace {

struct Caption {
  const char* key;
  const char* caption;
};

// The drop-downs whose index the encoders put into the image, with the
// captions the user sees beside them.
constexpr Caption kEncodedDropDowns[] = {
    {"Type", "机器类型"},              {"TimerOut", "发射定时限制"},
    {"Prealet", "发射定时预警时间"},   {"ChannelMonitor", "监听功能"},
    {"SquelchLevel", "静态电平等级"},  {"Beep", "BEEP音开关"},
    {"Voice", "语音报告功能"},         {"Alarm", "报警模式选择"},
    {"RunControl", "整机正常运行控制"}, {"CloneEnable", "数据复制使能"},
    {"TuningMode", "工厂自调测模式使能"}, {"ScanOperation", "频道扫描控制"},
    {"ChanMode", "优先频道选择方式"},  {"ChanSet", "优先频道设置"},
    {"LookA", "回扫周期"},             {"RxStay", "接收停留时间"},
    {"RxRestart", "收信停止(跌落)延时"}, {"TxRestart", "发信停止(跌落)延时"},
    {"RxCH", "接收回复信道选择"},      {"TxChanSel", "发射信道选择"},
    {"AssignCHSet", "指配信道设置"},   {"ScanDirection", "信道扫描方向"},
    {"ScanSpeed", "信道扫描速度"},     {"ScanAlert", "扫描声音使能"},
    {"ScanDelAdd", "删除/追加使能"},   {"TempDel", "暂时删除使能"},
    {"PF1S", "PF1"},                   {"PF2S", "PF2"},
};

// A band limit: whole megahertz, optionally with decimals.
bool IsNumber(const std::string& s) {
  if (s.empty()) return false;
  bool digits = false, point = false;
  for (char c : s) {
    if (c >= '0' && c <= '9')
      digits = true;
    else if (c == '.' && !point)
      point = true;
    else
      return false;
  }
  return digits;
}

std::string Padded(std::string s) {
  while (s.size() < 9) s += '0';
  return s;
}

std::string Channel(int n) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "CH%02d", n);
  return buf;
}

}  // namespace

std::vector<WriteProblem> CheckBeforeWrite(const CKAVIRView& view) {
  std::vector<WriteProblem> problems;
  auto add = [&](std::string m) { problems.push_back({std::move(m)}); };

  for (const Caption& c : kEncodedDropDowns) {
    const ComboBox* box = view.Combo(c.key);
    if (!box || box->selected < 0 || box->selected >= static_cast<int>(box->options.size()))
      add(std::string(c.caption) + ": 没有选定任何选项");
  }

  const std::string& lo = view.band_lower.text;
  const std::string& hi = view.band_upper.text;
  bool band_ok = true;
  if (!IsNumber(lo)) add("频段范围: 下限 \"" + lo + "\" 不是数字"), band_ok = false;
  if (!IsNumber(hi)) add("频段范围: 上限 \"" + hi + "\" 不是数字"), band_ok = false;
  if (band_ok && FrequencyValue(lo) > FrequencyValue(hi))
    add("频段范围: 下限 " + lo + " 大于上限 " + hi), band_ok = false;

  for (int n = 1; n <= 16; ++n) {
    const bool ch = view.ch_box[n - 1].checked();
    const bool tx = view.tx_box[n - 1].checked();
    struct Column {
      int col;
      bool enabled;
    } columns[] = {{1, ch}, {3, ch && tx}};
    for (const Column& c : columns) {
      const std::string text = Padded(view.grid.Text(n, c.col));
      const std::string where = Channel(n) + " " + ChannelGrid::Header(c.col) + " \"" + text + "\"";
      if (FrequencyRaster(text) == Raster::None) {
        add(where + ": 不在 6.25 kHz 或 2.5 kHz 频点上");
        continue;
      }
      const std::int64_t v = FrequencyValue(text);
      // The step count has 18 bits; a longer value would be cut short.
      if (v / (FrequencyRaster(text) == Raster::Fine ? 625 : 250) > 0x3FFFF) {
        add(where + ": 不是有效的频率");
        continue;
      }
      if (c.enabled && band_ok && (v < FrequencyValue(lo) || v > FrequencyValue(hi)))
        add(where + ": 超出频段范围 " + lo + "-" + hi + " MHz");
    }
    for (int col : {2, 4}) {
      const std::string& tone = view.grid.Text(n, col);
      if (!view.IsValidTone(col, tone))
        add(Channel(n) + " " + ChannelGrid::Header(col) + " \"" + tone + "\": 不是有效的亚音 (请从亚音列表中选择)");
    }
  }
  return problems;
}

std::string DescribeProblems(const std::vector<WriteProblem>& problems) {
  std::string text;
  for (const WriteProblem& p : problems) {
    if (!text.empty()) text += '\n';
    text += p.message;
  }
  return text;
}

}  // namespace kavir
