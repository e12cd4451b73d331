// The CH and TX boxes beside the grid and the colours they give its rows.
#include "ini/translate.h"
#include "kavir_view.h"

namespace kavir {

namespace {
bool ValidChannel(int n) { return n >= 1 && n <= 16; }
}  // namespace

GridCell CKAVIRView::Cell(int row, int col) const {
  GridCell cell;
  if (row < 0 || row >= kGridRows || col < 0 || col >= kGridCols) return cell;
  if (row == 0) {
    cell.text = ChannelGrid::Header(col);
    return cell;
  }
  if (col == 0) {
    cell.text = ChannelGrid::RowName(row);
    return cell;
  }
  const Channel& channel = setup_.channel(row);
  cell.text = channel.fields[col - 1];
  cell.back_color = kColumnBack[col];
  const bool grey = !channel.enabled || ((col == 3 || col == 4) && !channel.tx_enabled);
  cell.fore_color = grey ? kGrey : kBlack;
  return cell;
}

// The colours follow the boxes (Cell); what is left of recolouring cell by
// cell is where it leaves the current cell.
void CKAVIRView::UpdateChannelRow(int n) {
  if (!ValidChannel(n)) return;
  grid.row = n;
  grid.col = 9;
}

void CKAVIRView::UpdateTxColumns(int n) {
  if (!ValidChannel(n)) return;
  grid.row = n;
  grid.col = 4;
  Channel& channel = setup_.channel(n);
  if (!channel.enabled) channel.tx_enabled = false;  // no transmitting on a channel that is off
}

void CKAVIRView::OnChBoxClicked(int n) {
  if (!ValidChannel(n)) return;
  Edit([&](Setup& s) {
    s.channel(n).enabled = !s.channel(n).enabled;
    UpdateChannelRow(n);
  });
  ui_.Repaint();
}

void CKAVIRView::OnTxBoxClicked(int n) {
  if (!ValidChannel(n)) return;
  Edit([&](Setup& s) {
    s.channel(n).tx_enabled = !s.channel(n).tx_enabled;
    UpdateTxColumns(n);
  });
  ui_.Repaint();
}

void CKAVIRView::OnOpenAllChannels() { SetAllChannels(true, TrText("Screen", "打开所有通道！")); }

void CKAVIRView::OnCloseAllChannels() { SetAllChannels(false, TrText("Screen", "关闭所有通道！")); }

void CKAVIRView::SetAllChannels(bool on, const std::string& status) {
  ui_.SetStatusText(status);
  const int tab = current_tab;
  current_tab = 0;
  ShowPage(0);
  Edit([&](Setup& s) {
    for (int n = 1; n <= kChannels; ++n) {
      s.channel(n).enabled = on;
      UpdateChannelRow(n);
      s.channel(n).tx_enabled = on;
      UpdateTxColumns(n);
    }
  });
  RestorePage(tab);
}

}  // namespace kavir
