#pragma once
// The radio-wide settings of a set-up, one row each: profile key, caption,
// whether the form lets the user change it, where a store writes it, and
// whether the image holds it. Every layer that names a setting uses this.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "ini/translate.h"

namespace kavir {

// In the order the drop-downs are filled and a profile is loaded.
enum class Setting {
  Type,
  Mode,
  TimerOut,
  Prealet,
  ChannelMonitor,
  SquelchLevel,
  Beep,
  Voice,
  Alarm,
  RunControl,
  CloneEnable,
  TuningMode,
  TxChanSel,
  ScanDirection,
  ScanAlert,
  ScanDelAdd,
  TempDel,
  RxRestart,
  TxRestart,
  RxCH,
  AssignCHSet,
  ScanSpeed,
  ScanOperation,
  ChanMode,
  ChanSet,
  LookA,
  RxStay,
  PF1S,
  PF2S,
  PF3S,
};
inline constexpr int kSettingCount = 30;

struct SettingInfo {
  Setting setting;
  const char* key;           // profile key and KAVIR.ini section of its option list
  const char* caption;       // what the form shows beside it
  int control_id;            // the drop-down's id on the form
  bool fixed;                // shown but never enabled
  bool programmable_key;     // PF1S..PF3S: held for the key settings dialog
  bool in_image;             // the write puts its option's position into the image
  const char* load_default;  // a profile without the key loads this
};

const std::array<SettingInfo, kSettingCount>& Settings();
const SettingInfo& Info(Setting s);
std::optional<Setting> FindSetting(std::string_view key);
// The caption in the language shown.
std::string SettingCaption(Setting s);

// The drop-downs in the order a store writes them (Type .. TempDel, without
// the keys, which a store writes last).
const std::array<Setting, 27>& StoreOrder();

// Captions of the values that are not drop-downs.
inline constexpr const char* kBatteryCaption = KAVIR_TR_NOOP("Setup", "电池省电使能");
inline constexpr const char* kBandLowerCaption = KAVIR_TR_NOOP("Setup", "频段范围(下限)");
inline constexpr const char* kBandUpperCaption = KAVIR_TR_NOOP("Setup", "频段范围(上限)");

}  // namespace kavir
