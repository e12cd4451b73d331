#include "setup_compare.h"

#include <map>

#include "csv_import.h"
#include "../profile/profile_keys.h"
#include "../screen/kavir_view.h"

namespace kavir {

namespace {

struct Caption {
  const char* key;
  const char* caption;
};

// The captions the screen shows beside each radio-wide setting.
constexpr Caption kCaptions[] = {
    {"Type", "机器类型"},
    {"Mode", "模式"},
    {"FreqV", "频段范围(下限)"},
    {"FreqU", "频段范围(上限)"},
    {"TimerOut", "发射定时限制"},
    {"Prealet", "发射定时预警时间"},
    {"ChannelMonitor", "监听功能"},
    {"SquelchLevel", "静态电平等级"},
    {"Beep", "BEEP音开关"},
    {"BatterySupply", "电池省电使能"},
    {"Voice", "语音报告功能"},
    {"Alarm", "报警模式选择"},
    {"RunControl", "整机正常运行控制"},
    {"CloneEnable", "数据复制使能"},
    {"TuningMode", "工厂自调测模式使能"},
    {"ScanOperation", "频道扫描控制"},
    {"ChanMode", "优先频道选择方式"},
    {"ChanSet", "优先频道设置"},
    {"LookA", "回扫周期"},
    {"RxStay", "接收停留时间"},
    {"RxRestart", "收信停止(跌落)延时"},
    {"TxRestart", "发信停止(跌落)延时"},
    {"RxCH", "接收回复信道选择"},
    {"TxChanSel", "发射信道选择"},
    {"AssignCHSet", "指配信道设置"},
    {"ScanDirection", "信道扫描方向"},
    {"ScanSpeed", "信道扫描速度"},
    {"ScanAlert", "扫描声音使能"},
    {"ScanDelAdd", "删除/追加使能"},
    {"TempDel", "暂时删除使能"},
    {"PF1S", "PF1键"},
    {"PF2S", "PF2键"},
    {"PF3S", "PF3键"},
};

std::map<std::string, std::string> StoredValues(const CKAVIRView& view) {
  std::map<std::string, std::string> values;
  for (auto& [key, value] : view.ProfileValues()) values[key] = value;
  return values;
}

std::string BoxText(const std::string& v) { return v == "1" ? "√" : "×"; }

}  // namespace

std::vector<SetupDifference> CompareSetups(const CKAVIRView& a, const CKAVIRView& b) {
  const auto va = StoredValues(a);
  const auto vb = StoredValues(b);
  std::vector<SetupDifference> out;
  auto compare = [&](const std::string& key, std::string where, bool box) {
    const std::string& x = va.at(key);
    const std::string& y = vb.at(key);
    if (x != y) out.push_back({std::move(where), box ? BoxText(x) : x, box ? BoxText(y) : y});
  };
  for (const Caption& c : kCaptions) compare(c.key, c.caption, std::string_view(c.key) == "BatterySupply");
  const auto& suffixes = ChannelSuffixesColumnOrder();
  for (int n = 1; n <= kChannelCount; ++n) {
    compare(ChBoxKey(n), ChannelName(n) + " CH", true);
    compare(TxBoxKey(n), ChannelName(n) + " TX", true);
    for (int c = 1; c <= 9; ++c)
      compare(ChannelKey(n, suffixes[c - 1]), ChannelName(n) + " " + ChannelGrid::Header(c), false);
  }
  return out;
}

std::string DifferenceLine(const SetupDifference& d) {
  auto shown = [](const std::string& v) { return v.empty() ? std::string("(空)") : v; };
  return d.where + ": " + shown(d.a) + " | " + shown(d.b);
}

std::vector<std::pair<std::string, std::string>> ShownValues(const CKAVIRView& view) {
  auto values = view.ProfileValues();
  const auto& suffixes = ChannelSuffixesColumnOrder();
  for (auto& [key, value] : values)
    for (int n = 1; n <= kChannelCount; ++n)
      for (int c : {1, 3})
        if (key == ChannelKey(n, suffixes[c - 1])) value = view.grid.Text(n, c);
  return values;
}

}  // namespace kavir
