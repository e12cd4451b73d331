// Each rule of the plan check with plans that break it and plans that keep
// to it. A finding is written "E licence CH03 发射功率=高": severity, rule,
// channel, field and value; the words of each are checked once, at the end.
#include "plan/plan_check.h"

#include <functional>

#include <gtest/gtest.h>

#include "shipped_setup.h"

namespace kavir::test {
namespace {

using F = ChannelField;
using Change = std::function<void(kavir::Setup&)>;

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
    "Frequency,MaxPower,Bandwidth,TX,Note\n402.05625,high,wide,yes,\n406.175,high,narrow,yes,\n"
    "410.29375,low,wide,yes,\n419.40625,high,wide,yes,\n418.525,high,wide,yes,\n422.64375,high,wide,yes,\n"
    "426.7625,high,wide,yes,\n430.88125,high,wide,yes,\n440,high,wide,yes,\n439.1125,high,wide,yes,\n"
    "443.23125,high,wide,yes,\n447.35,high,wide,yes,\n451.46875,high,wide,yes,\n460.5875,high,wide,yes,\n"
    "459.7,high,wide,yes,\n";

std::string Brief(const std::vector<Finding>& findings) {
  std::string text;
  for (const Finding& f : findings) {
    if (!text.empty()) text += "; ";
    text += (f.severity == Severity::Error ? "E " : "W ") + RuleName(f.rule);
    if (f.channel) text += " " + ChannelLabel(f.channel);
    if (!f.field.empty()) text += " " + f.field;
    if (f.value) text += "=" + *f.value;
  }
  return text;
}

void Check(const std::vector<std::tuple<const char*, Change, const char*>>& cases, const Licence* licence = nullptr) {
  const ShippedSetups shipped;
  for (const auto& [what, change, findings] : cases) {
    kavir::Setup s = CleanPlan(shipped);
    change(s);
    EXPECT_EQ(Brief(CheckPlan(s, shipped.data.channel_lists, licence)), findings) << what;
  }
}

TEST(PlanCheck, WhatTheWriteRefusesIsListedAsErrorsRadioWideFirstThenByChannel) {
  Check({
      {"the clean plan", [](kavir::Setup&) {}, ""},
      {"a blank frequency has no value", [](kavir::Setup& s) { Set(s, 2, F::TxFreq, " "); },
       "E 写入检查 CH02 发射频率"},
      {"in order, whatever the rule",
       [](kavir::Setup& s) {
         Set(s, 3, F::RxFreq, "430.01001"), Set(s, 2, F::TxTone, "关"), s[Setting::TimerOut].index = -1;
       },
       "E 写入检查 发射定时限制; W 单向亚音 CH02 接收信令=CTCSS:67.0; E 写入检查 CH03 接收频率=430.01001"},
  });
}

TEST(PlanCheck, WithALicenceEveryTransmitSettingMustBeLicensed) {
  const LicenceReading reading = ReadLicence(kLicence);
  ASSERT_TRUE(reading.licence) << reading.error.message;
  Check(
      {
          // Receive frequencies, and transmit ones where TX is off, need no licence.
          {"the clean plan", [](kavir::Setup&) {}, ""},
          {"not listed", [](kavir::Setup& s) { Set(s, 1, F::TxFreq, "402.06250"); },
           "E 许可证 CH01 发射频率=402.06250"},
          {"more power", [](kavir::Setup& s) { Set(s, 3, F::TxPower, "高"); }, "E 许可证 CH03 发射功率=高"},
          {"wider", [](kavir::Setup& s) { Set(s, 2, F::Bandwidth, "宽"); }, "E 许可证 CH02 宽带=宽"},
          {"less than allowed", [](kavir::Setup& s) { Set(s, 1, F::TxPower, "低"), Set(s, 1, F::Bandwidth, "窄"); },
           ""},
          {"channel off", [](kavir::Setup& s) { s.channel(1).enabled = false, Set(s, 1, F::TxFreq, "402.06250"); }, ""},
          {"the licence-free band",
           [](kavir::Setup& s) { Both(s, 1, "446.00625"), Set(s, 1, F::TxPower, "低"), Set(s, 1, F::Bandwidth, "窄"); },
           ""},
      },
      &*reading.licence);

  const LicenceReading other = ReadLicence(std::string(kLicence) + "435,low,narrow,no,\n446.00625,low,narrow,yes,\n");
  ASSERT_TRUE(other.licence) << other.error.message;
  Check(
      {
          {"receiving only", [](kavir::Setup& s) { Set(s, 9, F::TxFreq, "435.00000"); },
           "E 许可证 CH09 发射频率=435.00000"},
          {"both rules when it lists the licence-free band",
           [](kavir::Setup& s) { Both(s, 1, "446.00625"), Set(s, 1, F::Bandwidth, "窄"); },
           "E 许可证 CH01 发射功率=高; E PMR446 CH01 发射功率=高"},
      },
      &*other.licence);
}

TEST(PlanCheck, ThePmr446BandTakesItsSixteenChannelsAtLowPowerNarrowSimplex) {
  auto pmr = [](const char* mhz) -> Change {
    return [mhz](kavir::Setup& s) { Both(s, 1, mhz), Set(s, 1, F::TxPower, "低"), Set(s, 1, F::Bandwidth, "窄"); };
  };
  Check({
      {"the first channel", pmr("446.00625"), ""},
      {"the last channel", pmr("446.19375"), ""},
      {"between two", pmr("446.01250"), "E PMR446 CH01 发射频率=446.01250"},
      {"the lower edge", pmr("446.00000"), "E PMR446 CH01 发射频率=446.00000"},
      {"the upper edge", pmr("446.20000"), "E PMR446 CH01 发射频率=446.20000"},
      {"high power, wide", [](kavir::Setup& s) { Both(s, 1, "446.10625"); },
       "E PMR446 CH01 发射功率=高; E PMR446 CH01 宽带=宽"},
      {"a repeater", [&](kavir::Setup& s) { pmr("446.00625")(s), Set(s, 1, F::RxFreq, "446.10625"); },
       "E PMR446 CH01 发射频率=446.00625"},
      {"receiving only", [](kavir::Setup& s) { Both(s, 1, "446.10625"), s.channel(1).tx_enabled = false; }, ""},
      {"receiving there, sending elsewhere", [](kavir::Setup& s) { Set(s, 1, F::RxFreq, "446.10625"); }, ""},
  });
}

TEST(PlanCheck, TransmitSettingsOnAChannelWhoseTxIsOffAreWarnedOf) {
  Check({
      {"sending where it listens, no tone", [](kavir::Setup& s) { s.channel(1).tx_enabled = false; }, ""},
      {"a split", [](kavir::Setup& s) { s.channel(9).tx_enabled = false; }, "W 发射关闭 CH09 发射频率=440.00000"},
      {"a transmit tone", [](kavir::Setup& s) { Set(s, 16, F::TxTone, "+DCS:274"); },
       "W 发射关闭 CH16 发射信令=+DCS:274"},
      {"a channel that is off",
       [](kavir::Setup& s) {
         s.channel(16).enabled = false, Set(s, 16, F::TxFreq, "464.00000"), Set(s, 16, F::TxTone, "+DCS:274");
       },
       ""},
  });
}

TEST(PlanCheck, TwoChannelsInUseThatAreTheSameInEveryFieldAreWarnedOfOnce) {
  Check({
      {"a copy written otherwise", [](kavir::Setup& s) { s.channel(16) = s.channel(2), Both(s, 16, "406.175"); },
       "W 相同信道 CH16"},
      {"two copies name the first", [](kavir::Setup& s) { s.channel(7) = s.channel(8) = s.channel(2); },
       "W 相同信道 CH07; W 相同信道 CH08"},
      {"a copy that is off", [](kavir::Setup& s) { s.channel(7) = s.channel(2), s.channel(7).enabled = false; }, ""},
      {"a copy of one that is off", [](kavir::Setup& s) { s.channel(7) = s.channel(2), s.channel(2).enabled = false; },
       ""},
      {"scanned otherwise", [](kavir::Setup& s) { s.channel(7) = s.channel(2), Set(s, 7, F::Scan, "否"); }, ""},
  });
}

TEST(PlanCheck, ChannelsThatReceiveAlikeButTransmitOtherwiseAreWarnedOf) {
  auto copy = [](std::function<void(kavir::Channel&)> change) -> Change {
    return [change](kavir::Setup& s) { s.channel(7) = s.channel(2), change(s.channel(7)); };
  };
  Check({
      {"frequency", copy([](kavir::Channel& c) { c[F::TxFreq] = "406.18750"; }), "W 同收异发 CH07 发射频率=406.18750"},
      {"tone", copy([](kavir::Channel& c) { c[F::TxTone] = "CTCSS:71.9"; }), "W 同收异发 CH07 发射信令=CTCSS:71.9"},
      {"power", copy([](kavir::Channel& c) { c[F::TxPower] = "低"; }), "W 同收异发 CH07 发射功率=低"},
      {"bandwidth", copy([](kavir::Channel& c) { c[F::Bandwidth] = "宽"; }), "W 同收异发 CH07 宽带=宽"},
      {"TX box", copy([](kavir::Channel& c) { c.tx_enabled = false; }),
       "W 发射关闭 CH07 发射信令=CTCSS:67.0; W 同收异发 CH07 TX=×"},
      {"other receive tone", copy([](kavir::Channel& c) { c[F::RxTone] = c[F::TxTone] = "CTCSS:71.9"; }), ""},
      {"other receive frequency", copy([](kavir::Channel& c) { c[F::RxFreq] = "406.18750", c[F::TxPower] = "低"; }),
       ""},
      {"neither transmits",
       [](kavir::Setup& s) {
         s.channel(7) = s.channel(2), s.channel(2).tx_enabled = s.channel(7).tx_enabled = false;
         for (int n : {2, 7}) Set(s, n, F::TxTone, "关"), Set(s, n, F::RxTone, "关");
         Set(s, 7, F::TxPower, "低");
       },
       ""},
      {"named once, of the first",
       [](kavir::Setup& s) { s.channel(7) = s.channel(8) = s.channel(2), Set(s, 8, F::TxPower, "低"); },
       "W 相同信道 CH07; W 同收异发 CH08 发射功率=低"},
  });
}

TEST(PlanCheck, AToneOnOneSideOnlyIsAWarning) {
  Check({
      {"transmit only", [](kavir::Setup& s) { Set(s, 5, F::RxTone, "关"); }, "W 单向亚音 CH05 发射信令=CTCSS:88.5"},
      {"receive only", [](kavir::Setup& s) { Set(s, 12, F::TxTone, "关"); }, "W 单向亚音 CH12 接收信令=+DCS:023"},
      {"none", [](kavir::Setup& s) { Set(s, 12, F::TxTone, "关"), Set(s, 12, F::RxTone, "关"); }, ""},
      {"receive only, TX off", [](kavir::Setup& s) { s.channel(12).tx_enabled = false, Set(s, 12, F::TxTone, "关"); },
       ""},
  });
}

// What each finding says, as the command line prints it, and the count.
TEST(PlanCheck, EveryLineOfTheCheckSaysWhatItFound) {
  const ShippedSetups shipped;
  const LicenceReading licence = ReadLicence(
      "Frequency,MaxPower,Bandwidth,TX\n406.175,low,narrow,no\n410.29375,low,narrow,yes\n419.40625,high,wide,yes\n"
      "422.64375,high,wide,yes\n");
  ASSERT_TRUE(licence.licence);
  kavir::Setup s = CleanPlan(shipped);
  Both(s, 1, "446.01250"), Set(s, 1, F::RxFreq, "446.10625");  // high and wide
  Set(s, 3, F::TxPower, "高");
  s.channel(8) = s.channel(6), s.channel(10) = s.channel(4), Set(s, 10, F::TxTone, "关");
  s.channel(16).tx_enabled = true, Set(s, 16, F::TxFreq, "");
  s.channel(15).tx_enabled = false, Set(s, 15, F::TxFreq, "459.71250"), Set(s, 15, F::TxTone, "关");
  for (int n : {5, 7, 9, 11, 12, 13, 14}) s.channel(n).enabled = false;
  const std::vector<Finding> findings = CheckPlan(s, shipped.data.channel_lists, &*licence.licence);
  std::string text;
  for (const Finding& f : findings) text += FindingLine(f) + "\n";
  EXPECT_EQ(
      text,
      "错误 [PMR446] CH01 发射频率 \"446.01250\": 不是 PMR446 的信道 (446.00625 至 446.19375 MHz, 每 12.5 kHz 一个)\n"
      "错误 [PMR446] CH01 发射频率 \"446.01250\": PMR446 须收发同频 (接收频率为 446.10625)\n"
      "错误 [PMR446] CH01 发射功率 \"高\": PMR446 只允许低功率\n"
      "错误 [PMR446] CH01 宽带 \"宽\": PMR446 只允许窄带\n"
      "错误 [许可证] CH02 发射频率 \"406.17500\": 许可证只允许在这个频率上接收 (第 2 行)\n"
      "错误 [许可证] CH03 发射功率 \"高\": 许可证在这个频率上只允许低功率 (第 3 行)\n"
      "错误 [许可证] CH03 宽带 \"宽\": 许可证在这个频率上只允许窄带 (第 3 行)\n"
      "警告 [相同信道] CH08: 每一项都与 CH06 相同\n"
      "警告 [同收异发] CH10 发射信令 \"关\": 接收频率和接收信令与 CH04 相同, 发射却不同\n"
      "警告 [单向亚音] CH10 接收信令 \"+DCS:023\": 只有接收带亚音: 发射信令是关, 用亚音接收的电台听不到本机\n"
      "警告 [发射关闭] CH15 发射频率 \"459.71250\": TX 没有勾选: 这个与接收频率不同的发射频率不会使用\n"
      "错误 [写入检查] CH16 发射频率: 没有填写频率\n"
      "警告 [单向亚音] CH16 接收信令 \"+DCS:274\": 只有接收带亚音: 发射信令是关, 用亚音接收的电台听不到本机\n");
  OptionTexts english;
  english.Add("高", "High");
  EXPECT_EQ(FindingLine(findings[2], &english), "错误 [PMR446] CH01 发射功率 \"High\": PMR446 只允许低功率");
  const FindingCount count = CountFindings(findings);
  EXPECT_EQ(SummaryLine(count), "错误: 8, 警告: 5");
  EXPECT_EQ(SummaryLine(CountFindings({})), "没有发现问题");
  EXPECT_EQ(SummaryLine({0, 2}), "错误: 0, 警告: 2");
}

}  // namespace
}  // namespace kavir::test
