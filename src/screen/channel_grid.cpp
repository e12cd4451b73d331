#include "channel_grid.h"

#include <cstdio>

#include "ini/translate.h"

namespace kavir {

namespace {

struct ColumnDef {
  const char* header;
  double width;
};

constexpr ColumnDef kColumns[kGridCols] = {
    {KAVIR_TR_NOOP("Screen", "信道号"), 0.8},   {KAVIR_TR_NOOP("Screen", "接收频率"), 1.2},
    {KAVIR_TR_NOOP("Screen", "接收信令"), 1.3}, {KAVIR_TR_NOOP("Screen", "发射频率"), 1.2},
    {KAVIR_TR_NOOP("Screen", "发射信令"), 1.3}, {KAVIR_TR_NOOP("Screen", "繁忙锁定"), 1.0},
    {KAVIR_TR_NOOP("Screen", "发射功率"), 1.0}, {KAVIR_TR_NOOP("Screen", "信道扫描"), 1.0},
    {KAVIR_TR_NOOP("Screen", "时钟拍频"), 1.0}, {KAVIR_TR_NOOP("Screen", "宽带"), 1.0},
};

}  // namespace

std::string ChannelGrid::RowName(int row) {
  char name[16];
  std::snprintf(name, sizeof name, "CH%02d", row);
  return name;
}

const char* ChannelGrid::Header(int col) { return col >= 0 && col < kGridCols ? kColumns[col].header : ""; }

double ChannelGrid::WidthFactor(int col) { return col >= 0 && col < kGridCols ? kColumns[col].width : 1.0; }

}  // namespace kavir
