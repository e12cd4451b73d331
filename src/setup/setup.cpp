#include "setup.h"

#include <cstdio>

#include "ini/translate.h"

namespace kavir {

namespace {

struct FieldDef {
  std::string_view suffix;
  const char* caption;
};

constexpr FieldDef kFields[kChannelFieldCount] = {
    {"RxFreq", KAVIR_TR_NOOP("Setup", "接收频率")},       {"Decode", KAVIR_TR_NOOP("Setup", "接收信令")},
    {"TxFreq", KAVIR_TR_NOOP("Setup", "发射频率")},       {"Coding", KAVIR_TR_NOOP("Setup", "发射信令")},
    {"BusyLock", KAVIR_TR_NOOP("Setup", "繁忙锁定")},     {"TxPower", KAVIR_TR_NOOP("Setup", "发射功率")},
    {"ChannelScans", KAVIR_TR_NOOP("Setup", "信道扫描")}, {"ClockFreq", KAVIR_TR_NOOP("Setup", "时钟拍频")},
    {"ZoneWide", KAVIR_TR_NOOP("Setup", "宽带")},
};

}  // namespace

std::string_view FieldKeySuffix(ChannelField f) { return kFields[static_cast<int>(f)].suffix; }

std::string FieldCaption(ChannelField f) { return TrText("Setup", kFields[static_cast<int>(f)].caption); }

std::string ChannelLabel(int n) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "CH%02d", n);
  return buf;
}

}  // namespace kavir
