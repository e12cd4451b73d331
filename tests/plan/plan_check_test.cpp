// Each rule of the plan check with plans that break it and plans that keep
// to it, as the finding lines say them.
#include <gtest/gtest.h>

#include <functional>

#include "plan/plan_check.h"
#include "shipped_setup.h"

namespace kavir::test {
namespace {

using F = ChannelField;

void Set(kavir::Setup& s, int n, F field, const char* text) { s.channel(n)[field] = text; }
void Both(kavir::Setup& s, int n, const char* mhz) { Set(s, n, F::RxFreq, mhz), Set(s, n, F::TxFreq, mhz); }

// KV16U (400 to 470 MHz) without what it ships that a check warns of: a
// tone on one side of CH05 and CH13, a transmit tone on CH16, whose TX is off.
kavir::Setup CleanPlan(const ShippedSetups& shipped) {
  kavir::Setup s = shipped.Model("KV16U");
  Set(s, 5, F::RxTone, "CTCSS:88.5");
  Set(s, 13, F::RxTone, "CTCSS:88.5");
  Set(s, 16, F::TxTone, "关");
  return s;
}

// Every transmit frequency of the clean plan, each with what its channel
// uses (CH02 narrow, CH03 low) or more; CH04's and CH09's receive
// frequencies and CH16's transmit one (TX off) are left out.
const char* const kLicence =
    "Frequency,MaxPower,Bandwidth,TX,Note\n"
    "402.05625,high,wide,yes,\n"
    "406.175,high,narrow,yes,\n"
    "410.29375,low,wide,yes,\n"
    "419.40625,high,wide,yes,\n418.525,high,wide,yes,\n422.64375,high,wide,yes,\n426.7625,high,wide,yes,\n"
    "430.88125,high,wide,yes,\n440,high,wide,yes,\n439.1125,high,wide,yes,\n443.23125,high,wide,yes,\n"
    "447.35,high,wide,yes,\n451.46875,high,wide,yes,\n460.5875,high,wide,yes,\n459.7,high,wide,yes,\n";

std::string Lines(const std::vector<Finding>& findings) {
  std::string text;
  for (const Finding& f : findings) text += (text.empty() ? "" : "\n") + FindingLine(f);
  return text;
}

struct Case {
  const char* what;
  std::function<void(kavir::Setup&)> change;
  const char* findings;  // the lines, in order
};

void Check(const Case* begin, const Case* end, const Licence* licence) {
  const ShippedSetups shipped;
  for (const Case* c = begin; c != end; ++c) {
    kavir::Setup s = CleanPlan(shipped);
    c->change(s);
    EXPECT_EQ(Lines(CheckPlan(s, shipped.data.channel_lists, licence)), c->findings) << c->what;
  }
}

TEST(PlanCheck, WhatTheWriteRefusesIsListedAsErrorsRadioWideFirstThenByChannel) {
  const Case cases[] = {
      {"the clean plan", [](kavir::Setup&) {}, ""},
      {"off the raster", [](kavir::Setup& s) { Set(s, 3, F::RxFreq, "430.01001"); },
       "错误 [写入检查] CH03 接收频率 \"430.01001\": 不在 6.25 kHz 或 2.5 kHz 频点上"},
      {"out of the band", [](kavir::Setup& s) { Set(s, 2, F::TxFreq, "480.00000"); },
       "错误 [写入检查] CH02 发射频率 \"480.00000\": 超出频段范围 400-470 MHz"},
      {"a blank frequency is named without a value", [](kavir::Setup& s) { Set(s, 2, F::TxFreq, " "); },
       "错误 [写入检查] CH02 发射频率: 没有填写频率"},
      {"radio-wide first, then channel by channel, whatever the rule",
       [](kavir::Setup& s) {
         Set(s, 3, F::RxFreq, "430.01001"), Set(s, 2, F::TxTone, "关"), s[Setting::TimerOut].index = -1;
       },
       "错误 [写入检查] 发射定时限制: 没有选定任何选项\n"
       "警告 [单向亚音] CH02 接收信令 \"CTCSS:67.0\": 只有接收带亚音: 发射信令是关, 用亚音接收的电台听不到本机\n"
       "错误 [写入检查] CH03 接收频率 \"430.01001\": 不在 6.25 kHz 或 2.5 kHz 频点上"},
  };
  Check(std::begin(cases), std::end(cases), nullptr);
}

TEST(PlanCheck, WithALicenceEveryTransmitFrequencyIsLicensedWithItsPowerAndBandwidth) {
  const LicenceReading reading = ReadLicence(kLicence);
  ASSERT_TRUE(reading.licence) << reading.error.message;
  const Case cases[] = {
      // Receive frequencies, and transmit ones where TX is off, need no licence.
      {"the clean plan", [](kavir::Setup&) {}, ""},
      {"a transmit frequency the licence does not list", [](kavir::Setup& s) { Set(s, 1, F::TxFreq, "402.06250"); },
       "错误 [许可证] CH01 发射频率 \"402.06250\": 许可证中没有这个发射频率"},
      {"transmitting on a receive frequency it does not list", [](kavir::Setup& s) { Set(s, 9, F::TxFreq, "435.00000"); },
       "错误 [许可证] CH09 发射频率 \"435.00000\": 许可证中没有这个发射频率"},
      {"more power than it allows", [](kavir::Setup& s) { Set(s, 3, F::TxPower, "高"); },
       "错误 [许可证] CH03 发射功率 \"高\": 许可证在这个频率上只允许低功率 (第 4 行)"},
      {"a wider bandwidth than it allows", [](kavir::Setup& s) { Set(s, 2, F::Bandwidth, "宽"); },
       "错误 [许可证] CH02 宽带 \"宽\": 许可证在这个频率上只允许窄带 (第 3 行)"},
      {"less than it allows", [](kavir::Setup& s) { Set(s, 1, F::TxPower, "低"), Set(s, 1, F::Bandwidth, "窄"); }, ""},
      {"a channel that is off transmits nothing", [](kavir::Setup& s) {
         s.channel(1).enabled = false, Set(s, 1, F::TxFreq, "402.06250"); }, ""},
      {"the licence-free band needs no licence", [](kavir::Setup& s) {
         Both(s, 1, "446.00625"), Set(s, 1, F::TxPower, "低"), Set(s, 1, F::Bandwidth, "窄"); }, ""},
  };
  Check(std::begin(cases), std::end(cases), &*reading.licence);

  // An entry for receiving only, and one the licence-free band's rules meet too.
  const LicenceReading other = ReadLicence(std::string(kLicence) + "435,low,narrow,no,\n446.00625,low,narrow,yes,\n");
  ASSERT_TRUE(other.licence) << other.error.message;
  const Case receive_only[] = {
      {"transmitting where it may only receive", [](kavir::Setup& s) { Set(s, 9, F::TxFreq, "435.00000"); },
       "错误 [许可证] CH09 发射频率 \"435.00000\": 许可证只允许在这个频率上接收 (第 17 行)"},
      {"receiving there", [](kavir::Setup& s) { Set(s, 9, F::TxFreq, "440.00000"); }, ""},
      {"both rules in the licence-free band",
       [](kavir::Setup& s) { Both(s, 1, "446.00625"), Set(s, 1, F::Bandwidth, "窄"); },
       "错误 [许可证] CH01 发射功率 \"高\": 许可证在这个频率上只允许低功率 (第 18 行)\n"
       "错误 [PMR446] CH01 发射功率 \"高\": PMR446 只允许低功率"},
  };
  Check(std::begin(receive_only), std::end(receive_only), &*other.licence);
}

TEST(PlanCheck, ThePmr446BandTakesItsSixteenChannelsAtLowPowerNarrowAndSimplex) {
  auto pmr = [](const char* mhz) {
    return [mhz](kavir::Setup& s) { Both(s, 1, mhz), Set(s, 1, F::TxPower, "低"), Set(s, 1, F::Bandwidth, "窄"); };
  };
  const Case cases[] = {
      {"the first channel", pmr("446.00625"), ""},
      {"the last channel", pmr("446.19375"), ""},
      {"below the band", pmr("445.99375"), ""},
      {"above the band", pmr("446.20625"), ""},
      {"between two channels", pmr("446.01250"),
       "错误 [PMR446] CH01 发射频率 \"446.01250\": 不是 PMR446 的信道 (446.00625 至 446.19375 MHz, 每 12.5 kHz 一个)"},
      {"the band's lower edge", pmr("446.00000"),
       "错误 [PMR446] CH01 发射频率 \"446.00000\": 不是 PMR446 的信道 (446.00625 至 446.19375 MHz, 每 12.5 kHz 一个)"},
      {"the band's upper edge", pmr("446.20000"),
       "错误 [PMR446] CH01 发射频率 \"446.20000\": 不是 PMR446 的信道 (446.00625 至 446.19375 MHz, 每 12.5 kHz 一个)"},
      {"high power and wide", [](kavir::Setup& s) { Both(s, 1, "446.10625"); },
       "错误 [PMR446] CH01 发射功率 \"高\": PMR446 只允许低功率\n错误 [PMR446] CH01 宽带 \"宽\": PMR446 只允许窄带"},
      {"through a repeater", [&](kavir::Setup& s) { pmr("446.00625")(s), Set(s, 1, F::RxFreq, "446.10625"); },
       "错误 [PMR446] CH01 发射频率 \"446.00625\": PMR446 须收发同频 (接收频率为 446.10625)"},
      {"receiving there only", [&](kavir::Setup& s) { Both(s, 1, "446.10625"), s.channel(1).tx_enabled = false; }, ""},
      {"receiving there, sending elsewhere", [](kavir::Setup& s) { Set(s, 1, F::RxFreq, "446.10625"); }, ""},
  };
  Check(std::begin(cases), std::end(cases), nullptr);
}

TEST(PlanCheck, TransmitSettingsOnAChannelWhoseTxIsOffAreWarnedOf) {
  const Case cases[] = {
      {"TX off, sending where it listens, no tone", [](kavir::Setup& s) { s.channel(1).tx_enabled = false; }, ""},
      {"TX off with a split", [](kavir::Setup& s) { s.channel(9).tx_enabled = false; },
       "警告 [发射关闭] CH09 发射频率 \"440.00000\": TX 没有勾选: 这个与接收频率不同的发射频率不会使用"},
      {"TX off with a transmit tone", [](kavir::Setup& s) { Set(s, 16, F::TxTone, "+DCS:274"); },
       "警告 [发射关闭] CH16 发射信令 \"+DCS:274\": TX 没有勾选: 这个发射信令不会发出"},
      {"a channel that is off", [](kavir::Setup& s) { s.channel(16).enabled = false, Set(s, 16, F::TxFreq, "464.00000"); },
       ""},
      {"the same frequency written shorter", [](kavir::Setup& s) {
         s.channel(2).tx_enabled = false, Set(s, 2, F::TxFreq, "406.175"), Set(s, 2, F::TxTone, "关"); }, ""},
  };
  Check(std::begin(cases), std::end(cases), nullptr);
}

TEST(PlanCheck, TwoChannelsInUseThatAreTheSameInEveryFieldAreWarnedOfOnce) {
  const Case cases[] = {
      {"a copy", [](kavir::Setup& s) { s.channel(7) = s.channel(2); }, "警告 [相同信道] CH07: 每一项都与 CH02 相同"},
      {"a copy written otherwise", [](kavir::Setup& s) { s.channel(7) = s.channel(2), Both(s, 7, "406.175"); },
       "警告 [相同信道] CH07: 每一项都与 CH02 相同"},
      {"two copies name the first", [](kavir::Setup& s) { s.channel(7) = s.channel(8) = s.channel(2); },
       "警告 [相同信道] CH07: 每一项都与 CH02 相同\n警告 [相同信道] CH08: 每一项都与 CH02 相同"},
      {"a copy that is off", [](kavir::Setup& s) { s.channel(7) = s.channel(2), s.channel(7).enabled = false; }, ""},
      {"a copy of one that is off", [](kavir::Setup& s) { s.channel(7) = s.channel(2), s.channel(2).enabled = false; }, ""},
      {"a copy scanned otherwise", [](kavir::Setup& s) { s.channel(7) = s.channel(2), Set(s, 7, F::Scan, "否"); }, ""},
  };
  Check(std::begin(cases), std::end(cases), nullptr);
}

TEST(PlanCheck, TheSameReceiveFrequencyAndToneWithOtherTransmitSettingsIsWarnedOf) {
  auto copy = [](std::function<void(kavir::Channel&)> change) {
    return [change](kavir::Setup& s) { s.channel(7) = s.channel(2), change(s.channel(7)); };
  };
  const char* const detail = ": 接收频率和接收信令与 CH02 相同, 发射却不同";
  const std::string tx_freq = std::string("警告 [同收异发] CH07 发射频率 \"406.18750\"") + detail;
  const std::string tx_tone = std::string("警告 [同收异发] CH07 发射信令 \"CTCSS:71.9\"") + detail;
  const std::string power = std::string("警告 [同收异发] CH07 发射功率 \"低\"") + detail;
  const std::string wide = std::string("警告 [同收异发] CH07 宽带 \"宽\"") + detail;
  const std::string box = "警告 [发射关闭] CH07 发射信令 \"CTCSS:67.0\": TX 没有勾选: 这个发射信令不会发出\n"
                          "警告 [同收异发] CH07 TX \"×\"" + std::string(detail);
  const Case cases[] = {
      {"transmit frequency", copy([](kavir::Channel& c) { c[F::TxFreq] = "406.18750"; }), tx_freq.c_str()},
      {"transmit tone", copy([](kavir::Channel& c) { c[F::TxTone] = "CTCSS:71.9"; }), tx_tone.c_str()},
      {"power", copy([](kavir::Channel& c) { c[F::TxPower] = "低"; }), power.c_str()},
      {"bandwidth", copy([](kavir::Channel& c) { c[F::Bandwidth] = "宽"; }), wide.c_str()},
      {"the TX box", copy([](kavir::Channel& c) { c.tx_enabled = false; }), box.c_str()},
      {"the first that differs is named",
       copy([](kavir::Channel& c) { c[F::TxFreq] = "406.18750", c[F::TxPower] = "低"; }), tx_freq.c_str()},
      {"another receive tone", copy([](kavir::Channel& c) { c[F::RxTone] = c[F::TxTone] = "CTCSS:71.9"; }), ""},
      {"another receive frequency", copy([](kavir::Channel& c) { c[F::RxFreq] = "406.18750", c[F::TxPower] = "低"; }), ""},
      {"neither transmits", [](kavir::Setup& s) {
         s.channel(7) = s.channel(2), s.channel(2).tx_enabled = s.channel(7).tx_enabled = false;
         for (int n : {2, 7}) Set(s, n, F::TxTone, "关"), Set(s, n, F::RxTone, "关");
         Set(s, 7, F::TxPower, "低"); }, ""},
      {"a later one is named once",
       [](kavir::Setup& s) { s.channel(7) = s.channel(8) = s.channel(2), Set(s, 8, F::TxPower, "低"); },
       "警告 [相同信道] CH07: 每一项都与 CH02 相同\n警告 [同收异发] CH08 发射功率 \"低\"" ": 接收频率和接收信令与 CH02 相同, 发射却不同"},
  };
  Check(std::begin(cases), std::end(cases), nullptr);
}

TEST(PlanCheck, AToneOnOneSideOnlyIsAWarning) {
  const Case cases[] = {
      {"transmit tone only", [](kavir::Setup& s) { Set(s, 5, F::RxTone, "关"); },
       "警告 [单向亚音] CH05 发射信令 \"CTCSS:88.5\": 只有发射带亚音: 接收信令是关"},
      {"receive tone only", [](kavir::Setup& s) { Set(s, 12, F::TxTone, "关"); },
       "警告 [单向亚音] CH12 接收信令 \"+DCS:023\": 只有接收带亚音: 发射信令是关, 用亚音接收的电台听不到本机"},
      {"different tones both ways", [](kavir::Setup& s) { Set(s, 12, F::TxTone, "CTCSS:67.0"); }, ""},
      {"none either way", [](kavir::Setup& s) { Set(s, 12, F::TxTone, "关"), Set(s, 12, F::RxTone, "关"); }, ""},
      {"receive tone only where TX is off", [](kavir::Setup& s) { s.channel(12).tx_enabled = false, Set(s, 12, F::TxTone, "关"); }, ""},
  };
  Check(std::begin(cases), std::end(cases), nullptr);
}

TEST(PlanCheck, ALineShowsTheValueAsTheScreenDoesAndTheCountSaysWhatWasFound) {
  const ShippedSetups shipped;
  kavir::Setup s = CleanPlan(shipped);
  Both(s, 1, "446.10625");
  Set(s, 1, F::Bandwidth, "窄");
  Set(s, 5, F::RxTone, "关");
  const std::vector<Finding> findings = CheckPlan(s, shipped.data.channel_lists);
  ASSERT_EQ(findings.size(), 2u);
  EXPECT_EQ(findings[0].severity, Severity::Error);
  EXPECT_EQ(findings[0].rule, Rule::Pmr446);
  EXPECT_EQ(findings[0].channel, 1);
  EXPECT_EQ(findings[0].field, FieldCaption(F::TxPower));
  EXPECT_EQ(findings[0].value, "高");
  OptionTexts english;
  english.Add("高", "High");
  EXPECT_EQ(FindingLine(findings[0], &english), "错误 [PMR446] CH01 发射功率 \"High\": PMR446 只允许低功率");
  EXPECT_EQ(findings[1].severity, Severity::Warning);

  const FindingCount count = CountFindings(findings);
  EXPECT_EQ(count.errors, 1);
  EXPECT_EQ(count.warnings, 1);
  EXPECT_EQ(SummaryLine(count), "错误: 1, 警告: 1");
  EXPECT_EQ(SummaryLine(CountFindings({})), "没有发现问题");
  EXPECT_EQ(SummaryLine({0, 2}), "错误: 0, 警告: 2");
}

}  // namespace
}  // namespace kavir::test
