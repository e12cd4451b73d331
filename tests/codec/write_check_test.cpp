// What is refused before a write, and how it is named.
#include <functional>

#include <gtest/gtest.h>

#include "codec/codec.h"
#include "codec/image_file.h"
#include "codec/image_owner.h"
#include "program_files.h"
#include "shipped_setup.h"

namespace kavir::test {
namespace {

void Rx(kavir::Setup& s, int n, const char* text) { s.channel(n)[ChannelField::RxFreq] = text; }
void Tx(kavir::Setup& s, int n, const char* text) { s.channel(n)[ChannelField::TxFreq] = text; }

TEST(WriteCheck, RefusesWhatWouldPutWrongBytesIntoTheRadio) {
  struct Case {
    const char* what;
    std::function<void(kavir::Setup&)> change;
    const char* problems;
  } cases[] = {
      {"shipped model", [](kavir::Setup&) {}, ""},
      {"no selection", [](kavir::Setup& s) { s[Setting::TimerOut].index = -1, s[Setting::PF1S].index = -1; },
       "发射定时限制: 没有选定任何选项\nPF1: 没有选定任何选项"},
      // In the form's order, whatever the order of the settings' rows.
      {"no selection, in the form's order",
       [](kavir::Setup& s) {
         s[Setting::PF2S].index = s[Setting::TxChanSel].index = s[Setting::ScanOperation].index = -1;
       },
       "频道扫描控制: 没有选定任何选项\n发射信道选择: 没有选定任何选项\nPF2: 没有选定任何选项"},
      {"no selection where the image holds none",
       [](kavir::Setup& s) { s[Setting::Mode].index = s[Setting::PF3S].index = -1; }, ""},
      {"off both rasters, even on a closed channel",
       [](kavir::Setup& s) { s.channel(3).enabled = false, Rx(s, 3, "430.01001"); },
       "CH03 接收频率 \"430.01001\": 不在 6.25 kHz 或 2.5 kHz 频点上"},
      {"out of band", [](kavir::Setup& s) { Rx(s, 1, "480.00000"); },
       "CH01 接收频率 \"480.00000\": 超出频段范围 400-470 MHz"},
      {"out of band on a closed channel", [](kavir::Setup& s) { Rx(s, 1, "480.00000"), s.channel(1).enabled = false; },
       ""},
      {"transmit out of band without TX",
       [](kavir::Setup& s) { s.channel(2).tx_enabled = false, Tx(s, 2, "399.99375"); }, ""},
      {"transmit out of band", [](kavir::Setup& s) { Tx(s, 2, "399.99375"); },
       "CH02 发射频率 \"399.99375\": 超出频段范围 400-470 MHz"},
      // Megahertz, whatever the count of digits: 45 is 45 MHz, not 450.
      {"short entry", [](kavir::Setup& s) { Rx(s, 4, "45"); }, "CH04 接收频率 \"45\": 超出频段范围 400-470 MHz"},
      {"short entry in band", [](kavir::Setup& s) { Rx(s, 4, "430.1"); }, ""},
      {"decimals short of the radio's five", [](kavir::Setup& s) { Rx(s, 4, "45.0125"), Tx(s, 5, "4.5"); },
       "CH04 接收频率 \"45.0125\": 超出频段范围 400-470 MHz\nCH05 发射频率 \"4.5\": 超出频段范围 400-470 MHz"},
      {"zeros past the fifth decimal, whole megahertz",
       [](kavir::Setup& s) { Rx(s, 4, "430.000000"), Tx(s, 4, "430"); }, ""},
      {"no frequency in megahertz",
       [](kavir::Setup& s) { Rx(s, 4, "430.1.2"), Tx(s, 6, "430.000001"), Rx(s, 7, "43000000"); },
       "CH04 接收频率 \"430.1.2\": 不是以 MHz 为单位的频率 (例如 145.00000)\n"
       "CH06 发射频率 \"430.000001\": 不是以 MHz 为单位的频率 (例如 145.00000)\n"
       "CH07 接收频率 \"43000000\": 不是以 MHz 为单位的频率 (例如 145.00000)"},
      // Tones put into the grid some other way (an old file) are only those of the tone list.
      {"tones not in the list",
       [](kavir::Setup& s) {
         s.channel(5)[ChannelField::RxTone] = "hello", s.channel(12)[ChannelField::TxTone] = "CTCSS:99.9";
       },
       "CH05 接收信令 \"hello\": 不是有效的亚音 (请从亚音列表中选择)\n"
       "CH12 发射信令 \"CTCSS:99.9\": 不是有效的亚音 (请从亚音列表中选择)"},
      // A cleared cell of a channel in use would go in as whatever its bits default to.
      {"blank choices",
       [](kavir::Setup& s) {
         for (int f = 4; f < kChannelFieldCount; ++f) s.channel(5).fields[f] = " ";
       },
       "CH05 繁忙锁定: 没有选定任何选项\nCH05 发射功率: 没有选定任何选项\nCH05 信道扫描: 没有选定任何选项\n"
       "CH05 时钟拍频: 没有选定任何选项\nCH05 宽带: 没有选定任何选项"},
      {"no option of the column", [](kavir::Setup& s) { s.channel(3)[ChannelField::TxPower] = "high"; },
       "CH03 发射功率 \"high\": 不是本列的选项"},
      {"blank frequencies are named as blank", [](kavir::Setup& s) { Rx(s, 3, ""), Tx(s, 4, ""); },
       "CH03 接收频率: 没有填写频率\nCH04 发射频率: 没有填写频率"},
      {"blanks on a closed channel",
       [](kavir::Setup& s) { s.channel(3).enabled = false, Rx(s, 3, ""), s.channel(3)[ChannelField::TxPower] = ""; },
       ""},
      // A cleared row of a closed channel may be written; its tones go in as 关.
      {"blank tones on a closed channel",
       [](kavir::Setup& s) {
         s.channel(3).enabled = false;
         for (int f = 0; f < kChannelFieldCount; ++f) s.channel(3).fields[f] = "";
       },
       ""},
      {"blank transmit tone without TX",
       [](kavir::Setup& s) { s.channel(4).tx_enabled = false, s.channel(4)[ChannelField::TxTone] = " "; }, ""},
      {"blank tones in use",
       [](kavir::Setup& s) { s.channel(4)[ChannelField::RxTone] = "", s.channel(6)[ChannelField::TxTone] = ""; },
       "CH04 接收信令 \"\": 不是有效的亚音 (请从亚音列表中选择)\n"
       "CH06 发射信令 \"\": 不是有效的亚音 (请从亚音列表中选择)"},
      {"blank receive tone without TX",
       [](kavir::Setup& s) { s.channel(5).tx_enabled = false, s.channel(5)[ChannelField::RxTone] = ""; },
       "CH05 接收信令 \"\": 不是有效的亚音 (请从亚音列表中选择)"},
      {"lower limit text", [](kavir::Setup& s) { s.band_lower = "abc"; }, "频段范围: 下限 \"abc\" 不是数字"},
      {"two points in a limit", [](kavir::Setup& s) { s.band_upper = "470.0.1"; },
       "频段范围: 上限 \"470.0.1\" 不是数字"},
      {"limits reversed", [](kavir::Setup& s) { s.band_lower = "480"; }, "频段范围: 下限 480 大于上限 470"},
      {"upper limit empty", [](kavir::Setup& s) { s.band_upper = ""; }, "频段范围: 上限 \"\" 不是数字"},
      {"no option of a setting the radio keeps", [](kavir::Setup& s) { s[Setting::ChanMode].index = -1; },
       "优先频道选择方式: 没有选定任何选项"},
      // The third key is fixed in the radio: the image has no place for it.
      {"no option of the third key", [](kavir::Setup& s) { s[Setting::PF3S].index = -1; }, ""},
  };
  const ShippedSetups shipped;
  for (const Case& c : cases) {
    kavir::Setup s = shipped.Model("KV16U");  // 400 to 470 MHz, every box set
    c.change(s);
    EXPECT_EQ(DescribeProblems(CheckBeforeWrite(s, shipped.data.channel_lists)), c.problems) << c.what;
    // A set-up with problems gives no image to write or save.
    const CheckedImage checked = ImageForWrite(s, shipped.data.channel_lists, shipped.data.identity);
    EXPECT_EQ(checked.image.has_value(), checked.problems.empty()) << c.what;
    if (checked.image) {
      EXPECT_EQ(*checked.image, EncodeImage(s)) << c.what;
    }
  }
  // Each tone column is checked against its own list.
  ChannelLists lists = shipped.data.channel_lists;
  lists.decode.push_back("CTCSS:1.0");
  kavir::Setup s = shipped.Model("KV16U");
  s.channel(1)[ChannelField::RxTone] = s.channel(2)[ChannelField::TxTone] = "CTCSS:1.0";
  EXPECT_EQ(DescribeProblems(CheckBeforeWrite(s, lists)),
            "CH02 发射信令 \"CTCSS:1.0\": 不是有效的亚音 (请从亚音列表中选择)");
}

// One rule for the files that are radio images: exactly 768 bytes that are
// not profile text and hold the fixed bytes of every image of the family.
TEST(ImageFile, OnlyBytesThatCouldBeAnImageAreTakenAsOne) {
  const Image good = EncodeImage(ShippedSetups().Model("KV16V"));
  const std::string image(good.begin(), good.end());
  std::string profile = "[Previous]\r\nType=KV16V\r\n";
  profile.resize(768, ' ');
  std::string lower = "; saved by hand\r\n[previous]\r\n";
  lower.resize(768, ' ');
  auto changed = [&](int address, char value) {
    std::string bytes = image;
    bytes[address] = value;
    return bytes;
  };
  const struct {
    std::string bytes;
    const char* why;
  } rows[] = {// why: nullptr for an image
              {image, nullptr},
              {changed(0x150, 0x5A), nullptr},  // the unused area is the radio's
              {std::string(767, '\0'), ""},
              {std::string(769, '\0'), ""},
              {profile, ""},
              {lower, ""},
              {"", ""},
              {std::string(768, '\0'), "都是 00"},
              {std::string(768, '\xFF'), "从未写入过数据"},
              {std::string(768, 'A'), "0x290"},
              {changed(0x29A, 3), "0x290"},  // model byte without its pair
              {changed(0x2A5, 0), "0x2A5"},
              {changed(0x2C0, 0), "0x2C0"},
              {changed(0x2D6, 0), "0x2D6 (机型标识)"},
              {changed(0x2D8, 1), "0x2D8"},
              {changed(0x2DC, 0), "0x2DC"},
              {changed(0x2DF, 0), "0x2DF"},
              // Model code, tag and signature are each radio's own texts.
              {changed(0x2D0, 'Q'), nullptr},
              {changed(0x2D5, 0), nullptr},
              {changed(0x2D9, 'z'), nullptr},
              {changed(0x2DB, 0), nullptr},
              {changed(0x2E0, '\xA0'), nullptr},
              {changed(0x2FF, 0), nullptr}};
  for (const auto& r : rows) {
    std::string why = "stale";
    const auto read = AsRadioImage(r.bytes, &why);
    EXPECT_EQ(read.has_value(), r.why == nullptr) << r.bytes.size() << " " << why;
    if (read) {
      EXPECT_EQ(std::string(read->begin(), read->end()), r.bytes);
    }
    if (r.why && *r.why) {
      EXPECT_NE(why.find(r.why), std::string::npos) << why;
    }
    if (r.why && !*r.why) {
      EXPECT_EQ(why, "");
    }
  }
}

const std::string kSignature = "ACME RADIO CO. LTD 2019 SIG 0001";

// The identity texts a write gives a radio come from KAVIR.ini.
TEST(RadioIdentity, ConfiguredTextsGoIntoTheImage) {
  const IniDocument doc =
      IniDocument::Parse("[RadioIdentity]\r\nModelCode=ABC123\r\nTag=XYZ\r\nSignature=" + kSignature + "\r\n");
  std::vector<std::string> problems;
  const RadioIdentity id = ReadRadioIdentity(doc, &problems);
  EXPECT_TRUE(problems.empty());
  const Image image = EncodeImage(ShippedSetups().Model("KV16V"), id);
  EXPECT_EQ(std::string(image.begin() + 0x2D0, image.begin() + 0x2D6), "ABC123");
  EXPECT_EQ(std::string(image.begin() + 0x2D9, image.begin() + 0x2DC), "XYZ");
  EXPECT_EQ(std::string(image.begin() + 0x2E0, image.end()), kSignature);
  EXPECT_EQ(IdentityOf(image), id);
  EXPECT_TRUE(AsRadioImage(std::string(image.begin(), image.end())).has_value());
  Image other = EncodeImage(kavir::Setup{});
  CopyIdentity(image, other);
  EXPECT_EQ(IdentityOf(other), id);
}

// Bytes no text could hold read as '?': a radio's identity is shown, never sent to a terminal raw.
TEST(RadioIdentity, UnprintableBytesReadAsQuestionMarks) {
  Image image = EncodeImage(kavir::Setup{});
  image[kIdentityAddress] = 0x01;
  image[kIdentityAddress + 1] = 0x7F;
  image[kIdentityAddress + 2] = 0x80;
  image[kIdentityAddress + 3] = 0x1F;
  image[kIdentityAddress + 4] = ' ';
  image[kIdentityAddress + 5] = '~';
  EXPECT_EQ(IdentityOf(image).model_code, "???? ~");
}

// A text no radio could hold keeps the default and is named.
TEST(RadioIdentity, AnUnusableTextIsNamedKeepingTheDefault) {
  const IniDocument bad =
      IniDocument::Parse("[RadioIdentity]\r\nModelCode=ABC\r\nTag=关关关\r\nSignature=" + kSignature + "\r\n");
  std::vector<std::string> problems;
  const RadioIdentity kept = ReadRadioIdentity(bad, &problems);
  EXPECT_EQ(kept.model_code, RadioIdentity{}.model_code);
  EXPECT_EQ(kept.tag, RadioIdentity{}.tag);
  EXPECT_EQ(kept.signature, kSignature);
  ASSERT_EQ(problems.size(), 2u);
  EXPECT_NE(problems[0].find("ModelCode=\"ABC\""), std::string::npos) << problems[0];
  EXPECT_NE(problems[1].find("Tag=\"关关关\""), std::string::npos) << problems[1];
}

TEST(RadioIdentity, TheShippedFileStatesTheProgramsOwnStandIns) {
  EXPECT_EQ(ShippedSetups().data.identity, RadioIdentity{});
  EXPECT_TRUE(ReadIniFile(ShippedSetups().data.files.kavir_ini).HasSection("RadioIdentity"));
}

// What a verify message calls a byte the radio holds wrongly.
TEST(ImageOwner, NamesTheChannelFieldOrSettingOfAByte) {
  const std::pair<int, const char*> cases[] = {{0, "CH01 接收频率"},
                                               {0x14, "CH02 接收信令"},
                                               {0x113, "功能设置 语音报告功能/BEEP音开关/报警模式选择/电池省电使能"},
                                               // Each end of a channel record's fields.
                                               {0x007, "CH01 发射频率"},
                                               {0x009, "CH01 发射信令"},
                                               {0x00A, "CH01 时钟拍频/宽带/子频段"},
                                               {0x00B, "CH01 繁忙锁定/发射功率/信道扫描"},
                                               {0x00C, "CH01 固定字节"},
                                               {0x0FF, "CH16 固定字节"},
                                               {0x100, "功能设置 监听功能/频道扫描控制/优先频道选择方式"},
                                               {0x12F, "按键设置 固定字节"},
                                               {0x130, "空白区 (应为 0)"},
                                               {0x2FF, "厂家签名"},
                                               {-1, ""},
                                               {768, ""}};
  for (auto [address, owner] : cases) EXPECT_EQ(ImageAddressOwner(address), owner) << address;
}

}  // namespace
}  // namespace kavir::test
