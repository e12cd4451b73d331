// CH and TX boxes and the colours of the grid rows.
#include <gtest/gtest.h>

#include "support.h"

namespace kavir::test {
namespace {

class EnableBoxes : public ::testing::Test {
 protected:
  ProgramDir dir;
  FakeUi ui;
  std::unique_ptr<CKAVIRView> view = dir.Start(ui);  // every box set

  // Row n's colours as text: "b" black, "g" grey, for columns 1..9.
  std::string Row(int n) const {
    std::string s;
    for (int c = 1; c <= 9; ++c) s += view->grid.Cell(n, c).fore_color == kGrey ? 'g' : 'b';
    return s;
  }
};

TEST_F(EnableBoxes, BoxesGreyTheirColumnsAndTxNeedsItsChannel) {
  view->OnTxBoxClicked(7);
  EXPECT_EQ(Row(7), "bbggbbbbb");  // only the transmit columns
  EXPECT_EQ(Row(6), "bbbbbbbbb");
  view->OnChBoxClicked(3);  // TX 3 stays set, the row is grey
  EXPECT_FALSE(view->ch_box[2].checked());
  EXPECT_TRUE(view->tx_box[2].checked());
  EXPECT_EQ(Row(3), "ggggggggg");
  view->OnTxBoxClicked(3);  // clears it
  view->OnTxBoxClicked(3);  // setting it again is refused
  EXPECT_FALSE(view->tx_box[2].checked());
  view->OnChBoxClicked(5);
  view->OnChBoxClicked(5);
  EXPECT_EQ(Row(5), "bbbbbbbbb");
  view->OnChBoxClicked(0);  // outside 1..16: ignored
  view->OnTxBoxClicked(17);
  view->UpdateChannelRow(-1);
  const std::string out = dir.dir.File("boxes.dat");
  view->StoreProfile(out);
  for (auto [key, value] : Entries{{"CBR3", "0"}, {"CBT3", "0"}, {"CBT7", "0"}, {"CBR7", "1"}, {"CBR5", "1"},
                                   {"CBR1", "1"}, {"CBT16", "1"}})
    EXPECT_EQ(Stored(out, key), value) << key;
}

TEST_F(EnableBoxes, OpenAndCloseAllFromAnyStateRestoreThePage) {
  view->OnChBoxClicked(1);
  view->OnTxBoxClicked(2);
  view->OnTabChanged(1);
  view->OnCloseAllChannels();
  EXPECT_EQ(ui.status.back(), "关闭所有通道！");
  for (int n = 1; n <= 16; ++n) {
    EXPECT_FALSE(view->ch_box[n - 1].checked() || view->tx_box[n - 1].checked()) << n;
    EXPECT_EQ(Row(n), "ggggggggg") << n;
  }
  EXPECT_EQ(view->shown_page, 1);
  view->OnTabChanged(0);
  view->OnChBoxClicked(4);
  view->OnOpenAllChannels();
  EXPECT_EQ(ui.status.back(), "打开所有通道！");
  for (int n = 1; n <= 16; ++n) {
    EXPECT_TRUE(view->ch_box[n - 1].checked() && view->tx_box[n - 1].checked()) << n;
    EXPECT_EQ(Row(n), "bbbbbbbbb") << n;
  }
  EXPECT_EQ(view->shown_page, 0);
  EXPECT_EQ(view->current_tab, 0);
  EXPECT_FALSE(view->Combo("Mode")->visible);
}

}  // namespace
}  // namespace kavir::test
