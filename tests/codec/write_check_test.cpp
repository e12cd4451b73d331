#include <gtest/gtest.h>

#include "codec_test_support.h"

namespace kavir::test {
namespace {

class WriteCheck : public ::testing::Test {
 protected:
  void SetUp() override { s.Load("KV16U"); }  // 400 to 470 MHz
  std::string Problems() { return DescribeProblems(CheckBeforeWrite(*s.view)); }
  ShippedScreen s;
};

TEST_F(WriteCheck, ShippedModelPasses) { EXPECT_EQ(Problems(), ""); }

TEST_F(WriteCheck, DropDownWithoutSelectionIsNamedByItsCaption) {
  s.view->Combo("TimerOut")->selected = -1;
  s.view->Combo("PF1S")->selected = -1;
  EXPECT_EQ(Problems(), "发射定时限制: 没有选定任何选项\nPF1: 没有选定任何选项");
}

TEST_F(WriteCheck, FrequencyOnNeitherRasterIsRefusedEvenOnADisabledChannel) {
  s.view->ch_box[2].state = 0;
  s.view->grid.SetText(3, 1, "430.01001");
  EXPECT_EQ(Problems(), "CH03 接收频率 \"430.01001\": 不在 6.25 kHz 或 2.5 kHz 频点上");
}

TEST_F(WriteCheck, OutOfBandCountsOnlyForEnabledChannelsAndTransmitWhenAllowed) {
  s.view->grid.SetText(1, 1, "480.00000");
  EXPECT_EQ(Problems(), "CH01 接收频率 \"480.00000\": 超出频段范围 400-470 MHz");
  s.view->ch_box[0].state = 0;
  EXPECT_EQ(Problems(), "");

  s.view->ch_box[1].state = 1;
  s.view->tx_box[1].state = 0;
  s.view->grid.SetText(2, 3, "399.99375");
  EXPECT_EQ(Problems(), "");
  s.view->tx_box[1].state = 1;
  EXPECT_EQ(Problems(), "CH02 发射频率 \"399.99375\": 超出频段范围 400-470 MHz");
}

TEST_F(WriteCheck, EntryIsCheckedAsItWillBeStored) {
  // A short entry is stored padded to nine digits: far too high for any band.
  s.view->grid.SetText(4, 1, "45");
  EXPECT_EQ(Problems(), "CH04 接收频率 \"450000000\": 不是有效的频率");
  s.view->grid.SetText(4, 1, "430.1");  // 430.10000
  EXPECT_EQ(Problems(), "");
}

TEST_F(WriteCheck, BandLimitsMustBeNumbersInOrder) {
  s.view->band_lower.text = "abc";
  EXPECT_EQ(Problems(), "频段范围: 下限 \"abc\" 不是数字");
  s.view->band_lower.text = "480";
  EXPECT_EQ(Problems(), "频段范围: 下限 480 大于上限 470");
  s.view->band_lower.text = "400";
  s.view->band_upper.text = "";
  EXPECT_EQ(Problems(), "频段范围: 上限 \"\" 不是数字");
}

}  // namespace
}  // namespace kavir::test
