// CH and TX boxes and the colours of the grid rows.
#include <gtest/gtest.h>

#include "screen_test_support.h"

namespace kavir::test {
namespace {

class EnableBoxes : public ::testing::Test {
 protected:
  ProgramDir dir;
  FakeUi ui;
  std::unique_ptr<CKAVIRView> view = dir.Start(ui);  // all boxes set

  Rgb Fore(int n, int c) const { return view->grid.Cell(n, c).fore_color; }
};

TEST_F(EnableBoxes, TxCannotBeSetOnAChannelThatIsOff) {
  view->OnChBoxClicked(3);  // clears CH 3; TX 3 stays set
  EXPECT_FALSE(view->ch_box[2].checked());
  EXPECT_TRUE(view->tx_box[2].checked());
  for (int c = 1; c <= 9; ++c) EXPECT_EQ(Fore(3, c), kGrey) << c;
  view->OnTxBoxClicked(3);  // clears it
  view->OnTxBoxClicked(3);  // setting it again is refused
  EXPECT_FALSE(view->tx_box[2].checked());
  EXPECT_EQ(Fore(3, 3), kGrey);
  EXPECT_EQ(Fore(3, 4), kGrey);
}

TEST_F(EnableBoxes, SettingChAgainMakesTheRowBlack) {
  view->OnChBoxClicked(5);
  view->OnChBoxClicked(5);
  for (int c = 1; c <= 9; ++c) EXPECT_EQ(Fore(5, c), kBlack) << c;
}

TEST_F(EnableBoxes, TxClearedGreysOnlyTheTransmitColumns) {
  view->OnTxBoxClicked(7);
  for (int c = 1; c <= 9; ++c) EXPECT_EQ(Fore(7, c), c == 3 || c == 4 ? kGrey : kBlack) << c;
  EXPECT_EQ(Fore(6, 3), kBlack);
}

TEST_F(EnableBoxes, OpenAndCloseAllFromAnyStateRestoreThePage) {
  view->OnChBoxClicked(1);
  view->OnTxBoxClicked(2);
  view->OnTabChanged(1);
  view->OnCloseAllChannels();
  EXPECT_EQ(ui.status.back(), "关闭所有通道！");
  for (int n = 1; n <= 16; ++n) {
    EXPECT_FALSE(view->ch_box[n - 1].checked());
    EXPECT_FALSE(view->tx_box[n - 1].checked());
    for (int c = 1; c <= 9; ++c) EXPECT_EQ(Fore(n, c), kGrey);
  }
  EXPECT_EQ(view->shown_page, 1);
  EXPECT_EQ(view->current_tab, 1);

  view->OnTabChanged(0);
  view->OnChBoxClicked(4);
  view->OnOpenAllChannels();
  EXPECT_EQ(ui.status.back(), "打开所有通道！");
  for (int n = 1; n <= 16; ++n) {
    EXPECT_TRUE(view->ch_box[n - 1].checked());
    EXPECT_TRUE(view->tx_box[n - 1].checked());
    for (int c = 1; c <= 9; ++c) EXPECT_EQ(Fore(n, c), kBlack);
  }
  EXPECT_EQ(view->shown_page, 0);
  EXPECT_EQ(view->current_tab, 0);
  EXPECT_FALSE(view->Combo("Mode")->visible);
}

TEST_F(EnableBoxes, BoxStatesAreStoredAsZeroAndOne) {
  view->OnChBoxClicked(2);
  view->OnTxBoxClicked(9);
  const std::string out = dir.dir.File("boxes.dat");
  view->StoreProfile(out);
  EXPECT_EQ(Stored(out, "CBR2"), "0");
  EXPECT_EQ(Stored(out, "CBT2"), "1");
  EXPECT_EQ(Stored(out, "CBT9"), "0");
  EXPECT_EQ(Stored(out, "CBR9"), "1");
}

TEST_F(EnableBoxes, OutOfRangeChannelsAreIgnored) {
  view->OnChBoxClicked(0);
  view->OnTxBoxClicked(17);
  view->UpdateChannelRow(-1);
  for (const CheckBox& b : view->ch_box) EXPECT_TRUE(b.checked());
}

}  // namespace
}  // namespace kavir::test
