#include "setup.h"

#include <cstdio>

namespace kavir {

namespace {

struct FieldDef {
  std::string_view suffix;
  const char* caption;
};

constexpr FieldDef kFields[kChannelFieldCount] = {
    {"RxFreq", "接收频率"}, {"Decode", "接收信令"},       {"TxFreq", "发射频率"},
    {"Coding", "发射信令"}, {"BusyLock", "繁忙锁定"},     {"TxPower", "发射功率"},
    {"ChannelScans", "信道扫描"}, {"ClockFreq", "时钟拍频"}, {"ZoneWide", "宽带"},
};

}  // namespace

std::string_view FieldKeySuffix(ChannelField f) { return kFields[static_cast<int>(f)].suffix; }

const char* FieldCaption(ChannelField f) { return kFields[static_cast<int>(f)].caption; }

std::string ChannelLabel(int n) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "CH%02d", n);
  return buf;
}

}  // namespace kavir
