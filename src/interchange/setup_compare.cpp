#include "setup_compare.h"

#include <variant>

#include "setup/profile_keys.h"
#include "setup/profile_setup.h"

namespace kavir {

namespace {

// The radio-wide values in the order the form shows them.
enum class Other { BandLower, BandUpper, Battery };
using Item = std::variant<Setting, Other>;

constexpr Item kOrder[] = {
    Setting::Type,          Setting::Mode,           Other::BandLower,      Other::BandUpper,     Setting::TimerOut,
    Setting::Prealet,       Setting::ChannelMonitor, Setting::SquelchLevel, Setting::Beep,        Other::Battery,
    Setting::Voice,         Setting::Alarm,          Setting::RunControl,   Setting::CloneEnable, Setting::TuningMode,
    Setting::ScanOperation, Setting::ChanMode,       Setting::ChanSet,      Setting::LookA,       Setting::RxStay,
    Setting::RxRestart,     Setting::TxRestart,      Setting::RxCH,         Setting::TxChanSel,   Setting::AssignCHSet,
    Setting::ScanDirection, Setting::ScanSpeed,      Setting::ScanAlert,    Setting::ScanDelAdd,  Setting::TempDel,
    Setting::PF1S,          Setting::PF2S,           Setting::PF3S,
};

const char* Box(bool on) { return on ? "√" : "×"; }

// A channel field as a store writes it: frequencies padded.
std::string Stored(const Channel& c, ChannelField f) {
  return f == ChannelField::RxFreq || f == ChannelField::TxFreq ? PadFrequency(c[f]) : c[f];
}

}  // namespace

std::vector<SetupDifference> CompareSetups(const Setup& a, const Setup& b) {
  std::vector<SetupDifference> out;
  auto compare = [&](std::string where, const std::string& x, const std::string& y) {
    if (x != y) out.push_back({std::move(where), x, y});
  };
  for (const Item& item : kOrder) {
    if (const Setting* s = std::get_if<Setting>(&item)) {
      compare(SettingCaption(*s), a[*s].text, b[*s].text);
      continue;
    }
    switch (std::get<Other>(item)) {
      case Other::BandLower:
        compare(TrText("Setup", kBandLowerCaption), a.band_lower, b.band_lower);
        break;
      case Other::BandUpper:
        compare(TrText("Setup", kBandUpperCaption), a.band_upper, b.band_upper);
        break;
      case Other::Battery:
        if (a.battery_saver != b.battery_saver)
          out.push_back({TrText("Setup", kBatteryCaption), Box(a.battery_saver), Box(b.battery_saver)});
        break;
    }
  }
  for (int n = 1; n <= kChannels; ++n) {
    const Channel& x = a.channel(n);
    const Channel& y = b.channel(n);
    if (x.enabled != y.enabled) out.push_back({ChannelLabel(n) + " CH", Box(x.enabled), Box(y.enabled), n});
    if (x.tx_enabled != y.tx_enabled) out.push_back({ChannelLabel(n) + " TX", Box(x.tx_enabled), Box(y.tx_enabled), n});
    for (int f = 0; f < kChannelFieldCount; ++f) {
      const std::string xs = Stored(x, ChannelField(f)), ys = Stored(y, ChannelField(f));
      if (xs != ys) out.push_back({ChannelLabel(n) + " " + FieldCaption(ChannelField(f)), xs, ys, n});
    }
  }
  return out;
}

std::string DifferenceLine(const SetupDifference& d) {
  auto shown = [](const std::string& v) { return v.empty() ? TrText("Interchange", "(空)") : v; };
  return d.where + ": " + shown(d.a) + " | " + shown(d.b);
}

std::string ChangeLine(const SetupDifference& d) {
  auto shown = [](const std::string& v) { return v.empty() ? TrText("Interchange", "(空)") : v; };
  return d.where + ": " + shown(d.a) + " → " + shown(d.b);
}

std::vector<ChangeGroup> GroupChanges(const std::vector<SetupDifference>& differences) {
  ChangeGroup settings{TrText("Interchange", "功能设置"), {}}, channels{TrText("Interchange", "信道设置"), {}};
  for (const SetupDifference& d : differences) (d.channel ? channels : settings).lines.push_back(ChangeLine(d));
  std::vector<ChangeGroup> out;
  for (ChangeGroup* g : {&settings, &channels})
    if (!g->lines.empty()) out.push_back(std::move(*g));
  return out;
}

std::string ChangeCountText(std::size_t count) {
  if (count == 0) return TrText("Interchange", "电台中已经是要写入的数据, 没有不同。");
  const int n = static_cast<int>(count);  // a plain argument: lupdate skips a cast
  return TrCount("Interchange", "%n 项不同", nullptr, n);
}

std::string ChangesText(const std::vector<SetupDifference>& differences) {
  std::string text;
  for (const ChangeGroup& g : GroupChanges(differences)) {
    text += g.page + ":\n";
    for (const std::string& line : g.lines) text += "  " + line + "\n";
  }
  return text + ChangeCountText(differences.size()) + "\n";
}

std::vector<std::pair<std::string, std::string>> ShownValues(const Setup& setup) {
  auto values = StoredValues(setup);
  for (auto& [key, value] : values)
    for (int n = 1; n <= kChannels; ++n)
      for (ChannelField f : {ChannelField::RxFreq, ChannelField::TxFreq})
        if (key == ChannelKey(n, FieldKeySuffix(f))) value = setup.channel(n)[f];
  return values;
}

}  // namespace kavir
