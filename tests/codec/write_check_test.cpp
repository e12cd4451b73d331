// What is refused before a write, and how it is named.
#include <gtest/gtest.h>

#include <functional>

#include "codec/codec.h"
#include "codec/image_owner.h"
#include "support.h"

namespace kavir::test {
namespace {

TEST(WriteCheck, RefusesWhatWouldPutWrongBytesIntoTheRadio) {
  struct Case {
    const char* what;
    std::function<void(CKAVIRView&)> change;
    const char* problems;
  } cases[] = {
      {"shipped model", [](CKAVIRView&) {}, ""},
      {"no selection",
       [](CKAVIRView& v) { v.Combo("TimerOut")->selected = -1, v.Combo("PF1S")->selected = -1; },
       "发射定时限制: 没有选定任何选项\nPF1: 没有选定任何选项"},
      {"off both rasters, even on a closed channel",
       [](CKAVIRView& v) { v.ch_box[2].state = 0, v.grid.SetText(3, 1, "430.01001"); },
       "CH03 接收频率 \"430.01001\": 不在 6.25 kHz 或 2.5 kHz 频点上"},
      {"out of band", [](CKAVIRView& v) { v.grid.SetText(1, 1, "480.00000"); },
       "CH01 接收频率 \"480.00000\": 超出频段范围 400-470 MHz"},
      {"out of band on a closed channel",
       [](CKAVIRView& v) { v.grid.SetText(1, 1, "480.00000"), v.ch_box[0].state = 0; }, ""},
      {"transmit out of band without TX", [](CKAVIRView& v) { v.tx_box[1].state = 0, v.grid.SetText(2, 3, "399.99375"); },
       ""},
      {"transmit out of band", [](CKAVIRView& v) { v.grid.SetText(2, 3, "399.99375"); },
       "CH02 发射频率 \"399.99375\": 超出频段范围 400-470 MHz"},
      // Checked as it will be stored: a short entry is padded to nine digits.
      {"short entry", [](CKAVIRView& v) { v.grid.SetText(4, 1, "45"); }, "CH04 接收频率 \"450000000\": 不是有效的频率"},
      {"short entry in band", [](CKAVIRView& v) { v.grid.SetText(4, 1, "430.1"); }, ""},
      // Tones put into the grid some other way (an old file) are only those of the tone list.
      {"tones not in the list", [](CKAVIRView& v) { v.grid.SetText(5, 2, "hello"), v.grid.SetText(12, 4, "CTCSS:99.9"); },
       "CH05 接收信令 \"hello\": 不是有效的亚音 (请从亚音列表中选择)\n"
       "CH12 发射信令 \"CTCSS:99.9\": 不是有效的亚音 (请从亚音列表中选择)"},
      {"lower limit text", [](CKAVIRView& v) { v.band_lower.text = "abc"; }, "频段范围: 下限 \"abc\" 不是数字"},
      {"limits reversed", [](CKAVIRView& v) { v.band_lower.text = "480"; }, "频段范围: 下限 480 大于上限 470"},
      {"upper limit empty", [](CKAVIRView& v) { v.band_upper.text = ""; }, "频段范围: 上限 \"\" 不是数字"},
  };
  ShippedScreen s;
  for (const Case& c : cases) {
    s.Load("KV16U");  // 400 to 470 MHz, every box set
    c.change(*s.view);
    EXPECT_EQ(DescribeProblems(CheckBeforeWrite(*s.view)), c.problems) << c.what;
  }
}

// What a verify message calls a byte the radio holds wrongly.
TEST(ImageOwner, NamesTheChannelFieldOrSettingOfAByte) {
  const std::pair<int, const char*> cases[] = {
      {0, "信道 01 CH01.RxFreq"}, {0x14, "信道 02 CH02.Decode"}, {0x113, "功能设置 Voice/Beep/Alarm/BatterySupply"}, {768, ""}};
  for (auto [address, owner] : cases) EXPECT_EQ(ImageAddressOwner(address), owner) << address;
}

}  // namespace
}  // namespace kavir::test
