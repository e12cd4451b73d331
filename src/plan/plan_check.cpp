#include "plan_check.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

#include "codec/channel_record.h"
#include "codec/codec.h"
#include "ini/translate.h"
#include "setup/conversions.h"
#include "setup/option_search.h"
#include "setup/profile_setup.h"

namespace kavir {
namespace {

using F = ChannelField;

// The licence-free band and its 16 channels, 12.5 kHz apart.
constexpr std::int64_t kPmrLow = 446'000'000, kPmrHigh = 446'200'000;
constexpr std::int64_t kPmrFirst = 446'006'250, kPmrStep = 12'500, kPmrLast = kPmrFirst + 15 * kPmrStep;

bool InPmrBand(Frequency f) { return f.hz() >= kPmrLow && f.hz() <= kPmrHigh; }

// A channel as the radio will use it: cells read as a write reads them.
struct OnAir {
  bool on;                          // CH box
  bool transmits;                   // CH and TX boxes
  std::optional<Frequency> rx, tx;  // none when blank or no frequency
  std::array<std::uint8_t, 2> rx_tone, tx_tone;
  bool rx_tone_off, tx_tone_off;
  bool high_power, wide;
};

std::optional<Frequency> ReadFrequency(const std::string& text) {
  if (TrimBlanks(text).empty()) return std::nullopt;
  return Frequency::Read(PadFrequency(text));
}

OnAir OnAirOf(const Channel& c) {
  const std::string_view rx_tone = TrimBlanks(c[F::RxTone]), tx_tone = TrimBlanks(c[F::TxTone]);
  return {.on = c.enabled,
          .transmits = c.enabled && c.tx_enabled,
          .rx = ReadFrequency(c[F::RxFreq]),
          .tx = ReadFrequency(c[F::TxFreq]),
          .rx_tone = ToneBytes(rx_tone),
          .tx_tone = ToneBytes(tx_tone),
          .rx_tone_off = ToneType(rx_tone) == 0,
          .tx_tone_off = ToneType(tx_tone) == 0,
          .high_power = HighPower(c),
          .wide = WideBand(c)};
}

const char* Box(bool on) { return on ? "√" : "×"; }

class Findings {
 public:
  explicit Findings(const Setup& setup) : setup_(setup) {}
  // A finding about one cell of channel n, naming its value.
  void At(Severity severity, Rule rule, int n, F field, std::string detail) {
    list.push_back({severity, rule, n, FieldCaption(field), setup_.channel(n)[field], std::move(detail)});
  }
  void AtTxBox(Rule rule, int n, std::string detail) {
    list.push_back(
        {Severity::Warning, rule, n, "TX", std::string(Box(setup_.channel(n).tx_enabled)), std::move(detail)});
  }
  void AtChannel(Rule rule, int n, std::string detail) {
    list.push_back({Severity::Warning, rule, n, "", std::nullopt, std::move(detail)});
  }
  std::vector<Finding> list;

 private:
  const Setup& setup_;
};

void CheckLicence(const Licence& licence, int n, const OnAir& a, Findings& out) {
  if (!a.transmits || !a.tx) return;
  const LicenceEntry* e = licence.Find(*a.tx);
  if (!e) {
    if (!InPmrBand(*a.tx))
      out.At(Severity::Error, Rule::Licence, n, F::TxFreq, TrText("Plan", "许可证中没有这个发射频率"));
    return;
  }
  const std::string line = std::to_string(e->line);
  if (!e->transmit) {
    out.At(Severity::Error, Rule::Licence, n, F::TxFreq,
           ArgText(TrText("Plan", "许可证只允许在这个频率上接收 (第 %1 行)"), {line}));
    return;
  }
  if (a.high_power && !e->high_power)
    out.At(Severity::Error, Rule::Licence, n, F::TxPower,
           ArgText(TrText("Plan", "许可证在这个频率上只允许低功率 (第 %1 行)"), {line}));
  if (a.wide && !e->wide)
    out.At(Severity::Error, Rule::Licence, n, F::Bandwidth,
           ArgText(TrText("Plan", "许可证在这个频率上只允许窄带 (第 %1 行)"), {line}));
}

void CheckPmr446(int n, const OnAir& a, Findings& out) {
  if (!a.transmits || !a.tx || !InPmrBand(*a.tx)) return;
  const std::int64_t hz = a.tx->hz();
  if (hz < kPmrFirst || hz > kPmrLast || hz % kPmrStep != kPmrFirst % kPmrStep)
    out.At(Severity::Error, Rule::Pmr446, n, F::TxFreq,
           TrText("Plan", "不是 PMR446 的信道 (446.00625 至 446.19375 MHz, 每 12.5 kHz 一个)"));
  // No repeaters: what is sent there is sent on the frequency listened to.
  if (a.rx && *a.rx != *a.tx)
    out.At(Severity::Error, Rule::Pmr446, n, F::TxFreq,
           ArgText(TrText("Plan", "PMR446 须收发同频 (接收频率为 %1)"), {a.rx->Text()}));
  if (a.high_power) out.At(Severity::Error, Rule::Pmr446, n, F::TxPower, TrText("Plan", "PMR446 只允许低功率"));
  if (a.wide) out.At(Severity::Error, Rule::Pmr446, n, F::Bandwidth, TrText("Plan", "PMR446 只允许窄带"));
}

void CheckTxOff(int n, const Channel& c, const OnAir& a, Findings& out) {
  if (!a.on || c.tx_enabled) return;
  // A transmit frequency equal to the receive one is what any channel holds.
  if (a.tx && a.rx && *a.tx != *a.rx)
    out.At(Severity::Warning, Rule::TxOff, n, F::TxFreq,
           TrText("Plan", "TX 没有勾选: 这个与接收频率不同的发射频率不会使用"));
  if (!a.tx_tone_off)
    out.At(Severity::Warning, Rule::TxOff, n, F::TxTone, TrText("Plan", "TX 没有勾选: 这个发射信令不会发出"));
}

void CheckOneWayTone(int n, const OnAir& a, Findings& out) {
  if (!a.transmits) return;
  if (a.rx_tone_off && !a.tx_tone_off)
    out.At(Severity::Warning, Rule::OneWayTone, n, F::TxTone, TrText("Plan", "只有发射带亚音: 接收信令是关"));
  else if (!a.rx_tone_off && a.tx_tone_off)
    out.At(Severity::Warning, Rule::OneWayTone, n, F::RxTone,
           TrText("Plan", "只有接收带亚音: 发射信令是关, 用亚音接收的电台听不到本机"));
}

// The first transmit setting in which two channels differ: the TX box
// (nullopt inside), then the grid's order. Nothing when they transmit alike.
std::optional<std::optional<F>> TransmitDifference(const OnAir& a, const OnAir& b) {
  if (a.transmits != b.transmits) return std::optional<F>();
  if (!a.transmits) return std::nullopt;
  if (a.tx != b.tx) return F::TxFreq;
  if (a.tx_tone != b.tx_tone) return F::TxTone;
  if (a.high_power != b.high_power) return F::TxPower;
  if (a.wide != b.wide) return F::Bandwidth;
  return std::nullopt;
}

void CheckPairs(const Setup& setup, const std::array<OnAir, kChannels>& air, Findings& out) {
  // Two records alike are two channels alike, both in use (CH is a bit of them).
  std::array<std::array<std::uint8_t, kPacketDataSize>, kChannels> records;
  const RecordBand band = RecordBand::Of(setup);
  for (int n = 1; n <= kChannels; ++n) EncodeChannelRecord(setup.channel(n), band, records[n - 1].data());
  for (int b = 2; b <= kChannels; ++b) {
    const OnAir& later = air[b - 1];
    if (!later.on) continue;
    // Each later channel is told once, of the first earlier one it meets.
    for (int a = 1; a < b; ++a) {
      if (records[a - 1] == records[b - 1]) {
        out.AtChannel(Rule::SameChannels, b, ArgText(TrText("Plan", "每一项都与 %1 相同"), {ChannelLabel(a)}));
        break;
      }
    }
    for (int a = 1; a < b; ++a) {
      const OnAir& earlier = air[a - 1];
      if (!earlier.on || !later.rx || earlier.rx != later.rx || earlier.rx_tone != later.rx_tone) continue;
      const auto difference = TransmitDifference(earlier, later);
      if (!difference) continue;
      const std::string detail = ArgText(TrText("Plan", "接收频率和接收信令与 %1 相同, 发射却不同"), {ChannelLabel(a)});
      if (*difference)
        out.At(Severity::Warning, Rule::SameReceive, b, **difference, detail);
      else
        out.AtTxBox(Rule::SameReceive, b, detail);
      break;
    }
  }
}

}  // namespace

std::vector<Finding> CheckPlan(const Setup& setup, const ChannelLists& lists, const Licence* licence) {
  Findings out(setup);
  for (WriteProblem& p : CheckBeforeWrite(setup, lists))
    out.list.push_back(
        {Severity::Error, Rule::WriteCheck, p.channel, std::move(p.field), std::move(p.value), std::move(p.reason)});
  std::array<OnAir, kChannels> air;
  for (int n = 1; n <= kChannels; ++n) {
    const Channel& c = setup.channel(n);
    const OnAir& a = air[n - 1] = OnAirOf(c);
    if (licence) CheckLicence(*licence, n, a, out);
    CheckPmr446(n, a, out);
    CheckTxOff(n, c, a, out);
    CheckOneWayTone(n, a, out);
  }
  CheckPairs(setup, air, out);
  std::stable_sort(out.list.begin(), out.list.end(), [](const Finding& x, const Finding& y) {
    return std::pair(x.channel, x.rule) < std::pair(y.channel, y.rule);
  });
  return out.list;
}

}  // namespace kavir
