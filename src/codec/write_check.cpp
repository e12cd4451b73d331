// What must be right in a set-up before its image may go into a radio.
#include <algorithm>
#include <optional>

#include "codec.h"
#include "setup/frequency.h"
#include "setup/option_search.h"
#include "setup/profile_setup.h"

namespace kavir {
namespace {

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

}  // namespace

std::vector<WriteProblem> CheckBeforeWrite(const Setup& setup, const ChannelLists& channel_lists) {
  std::vector<WriteProblem> problems;
  // Every message reads "where "value": reason"; a value is quoted only
  // where one was given.
  auto add = [&](int channel, std::string field, std::optional<std::string> value, std::string reason) {
    WriteProblem p;
    p.message = channel ? ChannelLabel(channel) + " " + field : field;
    if (value) p.message += " \"" + *value + "\"";
    p.message += ": " + reason;
    p.channel = channel;
    p.field = std::move(field);
    p.value = std::move(value);
    p.reason = std::move(reason);
    problems.push_back(std::move(p));
  };
  const std::string unchosen_reason = TrText("Codec", "没有选定任何选项");

  // In the order of the form's fields, as the message always listed them;
  // the keys are named as the key dialog names them.
  auto unchosen = [&](Setting s, const std::string& caption) {
    if (Info(s).in_image && setup[s].index < 0) add(0, caption, std::nullopt, unchosen_reason);
  };
  for (Setting s : StoreOrder()) unchosen(s, SettingCaption(s));
  unchosen(Setting::PF1S, "PF1");
  unchosen(Setting::PF2S, "PF2");

  const std::string& lo = setup.band_lower;
  const std::string& hi = setup.band_upper;
  const std::string band = TrText("Codec", "频段范围");
  bool band_ok = true;
  if (!IsNumber(lo))
    add(0, band, std::nullopt, ArgText(TrText("Codec", "下限 \"%1\" 不是数字"), {lo})), band_ok = false;
  if (!IsNumber(hi))
    add(0, band, std::nullopt, ArgText(TrText("Codec", "上限 \"%1\" 不是数字"), {hi})), band_ok = false;
  const Frequency low = Frequency::FromText(lo), high = Frequency::FromText(hi);
  if (band_ok && low > high)
    add(0, band, std::nullopt, ArgText(TrText("Codec", "下限 %1 大于上限 %2"), {lo, hi})), band_ok = false;

  for (int n = 1; n <= kChannels; ++n) {
    const Channel& c = setup.channel(n);
    struct Column {
      ChannelField field;
      bool enabled;
    } columns[] = {{ChannelField::RxFreq, c.enabled}, {ChannelField::TxFreq, c.enabled && c.tx_enabled}};
    for (const Column& col : columns) {
      const std::string caption = FieldCaption(col.field);
      // A blank is shown as blank, not as the zeros it would be stored as.
      if (TrimBlanks(c[col.field]).empty()) {
        if (col.enabled) add(n, caption, std::nullopt, TrText("Codec", "没有填写频率"));
        continue;
      }
      auto refuse = [&](std::string reason) { add(n, caption, c[col.field], std::move(reason)); };
      // Read as the store will keep it, so what is checked is what goes in.
      const std::optional<Frequency> read = Frequency::Read(PadFrequency(c[col.field]));
      if (!read) {
        refuse(TrText("Codec", "不是以 MHz 为单位的频率 (例如 145.00000)"));
        continue;
      }
      const Frequency f = *read;
      if (f.raster() == Raster::None) {
        refuse(TrText("Codec", "不在 6.25 kHz 或 2.5 kHz 频点上"));
        continue;
      }
      // The step count has 18 bits; a longer value would be cut short.
      if (!f.FitsField()) {
        refuse(TrText("Codec", "不是有效的频率"));
        continue;
      }
      if (col.enabled && band_ok && (f < low || f > high))
        refuse(ArgText(TrText("Codec", "超出频段范围 %1-%2 MHz"), {lo, hi}));
    }
    // A blank choice cell of a channel in use would go in as whatever its
    // bits default to; tones have their own check below.
    if (c.enabled) {
      for (ChannelField field : {ChannelField::BusyLock, ChannelField::TxPower, ChannelField::Scan,
                                 ChannelField::ClockShift, ChannelField::Bandwidth}) {
        const std::string_view text = TrimBlanks(c[field]);
        const std::vector<std::string>* options = channel_lists.ForColumn(static_cast<int>(field) + 1);
        if (text.empty())
          add(n, FieldCaption(field), std::nullopt, unchosen_reason);
        else if (options && !options->empty() && std::find(options->begin(), options->end(), text) == options->end())
          add(n, FieldCaption(field), std::string(text), TrText("Codec", "不是本列的选项"));
      }
    }
    // A blank tone where nothing is received or sent goes in as 关, as the
    // frequency beside it goes in as zeros.
    for (const Column& col :
         {Column{ChannelField::RxTone, c.enabled}, Column{ChannelField::TxTone, c.enabled && c.tx_enabled}}) {
      const ChannelField field = col.field;
      const std::string& tone = c[field];
      const auto& tones = field == ChannelField::RxTone ? channel_lists.decode : channel_lists.coding;
      if (!col.enabled && TrimBlanks(tone).empty()) continue;
      if (!IsValidTone(tones, tone))
        add(n, FieldCaption(field), tone, TrText("Codec", "不是有效的亚音 (请从亚音列表中选择)"));
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
