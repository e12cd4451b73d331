// QTDQT.ini: the channel grid's lists, in the forms the tone conversions read.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "profile/conversions.h"
#include "profile/gbk.h"
#include "profile/option_list.h"
#include "shipped_data.h"

namespace kavir::data_test {
namespace {

// The 50 common CTCSS tones and the 104 common DCS codes of two-way radio.
const char kCtcss[] =
    "67.0 69.3 71.9 74.4 77.0 79.7 82.5 85.4 88.5 91.5 94.8 97.4 100.0 103.5 107.2 110.9 "
    "114.8 118.8 123.0 127.3 131.8 136.5 141.3 146.2 151.4 156.7 159.8 162.2 165.5 167.9 "
    "171.3 173.8 177.3 179.9 183.5 186.2 189.9 192.8 196.6 199.5 203.5 206.5 210.7 218.1 "
    "225.7 229.1 233.6 241.8 250.3 254.1";
const char kDcs[] =
    "023 025 026 031 032 036 043 047 051 053 054 065 071 072 073 074 114 115 116 122 125 "
    "131 132 134 143 145 152 155 156 162 165 172 174 205 212 223 225 226 243 244 245 246 "
    "251 252 255 261 263 265 266 271 274 306 311 315 325 331 332 343 346 351 356 364 365 "
    "371 411 412 413 423 431 432 445 446 452 454 455 462 464 465 466 503 506 516 523 526 "
    "532 546 565 606 612 624 627 631 632 654 662 664 703 712 723 731 732 734 743 754";

std::vector<std::string> Words(const char* text) {
  std::istringstream in(text);
  std::vector<std::string> out;
  for (std::string w; in >> w;) out.push_back(w);
  return out;
}

std::vector<std::string> ExpectedToneList() {
  std::vector<std::string> out{"关"};
  for (const auto& t : Words(kCtcss)) out.push_back("CTCSS:" + t);
  for (const auto& c : Words(kDcs)) out.push_back("+DCS:" + c);
  for (const auto& c : Words(kDcs)) out.push_back("-DCS:" + c);
  return out;
}

TEST(ToneLists, HoldOffThenEveryStandardToneAndCode) {
  ASSERT_EQ(Words(kCtcss).size(), 50u);
  ASSERT_EQ(Words(kDcs).size(), 104u);
  const ChannelLists lists = ReadChannelLists(Qtdqt());
  const auto expected = ExpectedToneList();
  EXPECT_EQ(lists.decode, expected);
  EXPECT_EQ(lists.coding, expected);
  EXPECT_LE(lists.decode.size(), static_cast<std::size_t>(kToneListLimit));
  for (const char* section : {"DeCode", "Coding"}) {
    EXPECT_EQ(Qtdqt().Keys(section).size(), expected.size()) << section << ": entries past the list";
  }
}

// A tone chosen in the grid goes into the radio and comes back by a read:
// every list text must survive that trip unchanged and carry its own code.
TEST(ToneLists, EveryTextSurvivesTheRadioRoundTrip) {
  const ChannelLists lists = ReadChannelLists(Qtdqt());
  ASSERT_FALSE(lists.decode.empty());
  std::set<std::pair<int, int>> codes;
  for (const auto& text : lists.decode) {
    SCOPED_TRACE(text);
    const auto bytes = ToneBytes(text);
    EXPECT_EQ(ToneText(bytes.data()), text);
    EXPECT_TRUE(codes.insert({ToneType(text), ToneCode(text)}).second) << "two texts, one radio code";
    EXPECT_LE(GbkLength(text), 19u);
    if (text == "关") {
      EXPECT_EQ(ToneType(text), 0);
    } else if (text.rfind("CTCSS:", 0) == 0) {
      EXPECT_EQ(ToneType(text), 1);
      const double hz = std::stod(text.substr(6));
      EXPECT_EQ(ToneCode(text), static_cast<int>(hz * 10 + 0.5));
    } else {
      const bool normal = text.rfind("+DCS:", 0) == 0;
      ASSERT_TRUE(normal || text.rfind("-DCS:", 0) == 0);
      EXPECT_EQ(ToneType(text), normal ? 2 : 3);
      EXPECT_EQ(ToneCode(text), std::stoi(text.substr(5), nullptr, 8));
    }
  }
}

TEST(ShortLists, HoldExactlyTheWordsTheCodecKnows) {
  const ChannelLists lists = ReadChannelLists(Qtdqt());
  using V = std::vector<std::string>;
  EXPECT_EQ(lists.busy_lock, (V{"禁止", "载波控制", "CTC/DCS控制"}));
  EXPECT_EQ(lists.tx_power, (V{"高", "低"}));
  EXPECT_EQ(lists.channel_scans, (V{"是", "否"}));
  EXPECT_EQ(lists.clock_freq, (V{"是", "否"}));
  EXPECT_EQ(lists.zone_wide, (V{"宽", "窄"}));
  const std::pair<const char*, std::size_t> sections[] = {
      {"BusyLock", 3}, {"TxPower", 2}, {"ChannelScans", 2}, {"ClockFreq", 2}, {"ZoneWide", 2}};
  for (const auto& [section, size] : sections) {
    EXPECT_EQ(Qtdqt().Keys(section).size(), size) << section << ": entries past the list";
  }
}

}  // namespace
}  // namespace kavir::data_test
