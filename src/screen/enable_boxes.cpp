// The CH and TX boxes beside the grid and the colours they give its rows.
#include "kavir_view.h"
#include "profile/translate.h"


namespace kavir {

namespace {
bool ValidChannel(int n) { return n >= 1 && n <= 16; }
}  // namespace

void CKAVIRView::UpdateChannelRow(int n) {
  if (!ValidChannel(n)) return;
  grid.row = n;
  const bool ch = ch_box[n - 1].checked();
  const bool tx = tx_box[n - 1].checked();
  for (int c = 1; c <= 9; ++c) {
    grid.col = c;
    const bool grey = !ch || ((c == 3 || c == 4) && !tx);
    grid.Cell(n, c).fore_color = grey ? kGrey : kBlack;
  }
}

void CKAVIRView::UpdateTxColumns(int n) {
  if (!ValidChannel(n)) return;
  grid.row = n;
  for (int c = 3; c <= 4; ++c) {
    grid.col = c;
    Rgb color = kBlack;
    if (!tx_box[n - 1].checked()) {
      color = kGrey;
    } else if (!ch_box[n - 1].checked()) {
      color = kGrey;
      tx_box[n - 1].state = 0;  // no transmitting on a channel that is off
    }
    grid.Cell(n, c).fore_color = color;
  }
}

void CKAVIRView::OnChBoxClicked(int n) {
  if (!ValidChannel(n)) return;
  RecordStep([&] {
    ch_box[n - 1].state = ch_box[n - 1].checked() ? 0 : 1;
    UpdateChannelRow(n);
  });
  ui_.Repaint();
}

void CKAVIRView::OnTxBoxClicked(int n) {
  if (!ValidChannel(n)) return;
  RecordStep([&] {
    tx_box[n - 1].state = tx_box[n - 1].checked() ? 0 : 1;
    UpdateTxColumns(n);
  });
  ui_.Repaint();
}

void CKAVIRView::OnOpenAllChannels() {
  ui_.SetStatusText(TrText("Screen", "打开所有通道！"));
  const int tab = current_tab;
  current_tab = 0;
  ShowPage(0);
  RecordStep([&] {
    for (int n = 1; n <= 16; ++n) {
      ch_box[n - 1].state = 1;
      UpdateChannelRow(n);
      tx_box[n - 1].state = 1;
      UpdateTxColumns(n);
    }
  });
  RestorePage(tab);
}

void CKAVIRView::OnCloseAllChannels() {
  ui_.SetStatusText(TrText("Screen", "关闭所有通道！"));
  const int tab = current_tab;
  current_tab = 0;
  ShowPage(0);
  RecordStep([&] {
    for (int n = 1; n <= 16; ++n) {
      ch_box[n - 1].state = 0;
      UpdateChannelRow(n);
      tx_box[n - 1].state = 0;
      UpdateTxColumns(n);
    }
  });
  RestorePage(tab);
}

}  // namespace kavir
