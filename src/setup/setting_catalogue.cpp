#include "setting_catalogue.h"

#include "ini/translate.h"

namespace kavir {

namespace {

using S = Setting;

constexpr std::array<SettingInfo, kSettingCount> kSettings = {{
    {S::Type, "Type", KAVIR_TR_NOOP("Setup", "机器类型"), 1012, false, false, true, ""},
    {S::Mode, "Mode", KAVIR_TR_NOOP("Setup", "模式"), 1013, true, false, false, ""},
    {S::TimerOut, "TimerOut", KAVIR_TR_NOOP("Setup", "发射定时限制"), 1014, false, false, true, ""},
    {S::Prealet, "Prealet", KAVIR_TR_NOOP("Setup", "发射定时预警时间"), 1015, false, false, true, ""},
    {S::ChannelMonitor, "ChannelMonitor", KAVIR_TR_NOOP("Setup", "监听功能"), 1017, false, false, true, ""},
    {S::SquelchLevel, "SquelchLevel", KAVIR_TR_NOOP("Setup", "静态电平等级"), 1018, false, false, true, ""},
    {S::Beep, "Beep", KAVIR_TR_NOOP("Setup", "BEEP音开关"), 1019, false, false, true, ""},
    {S::Voice, "Voice", KAVIR_TR_NOOP("Setup", "语音报告功能"), 1020, false, false, true, ""},
    {S::Alarm, "Alarm", KAVIR_TR_NOOP("Setup", "报警模式选择"), 1021, false, false, true, ""},
    {S::RunControl, "RunControl", KAVIR_TR_NOOP("Setup", "整机正常运行控制"), 1022, true, false, true, ""},
    {S::CloneEnable, "CloneEnable", KAVIR_TR_NOOP("Setup", "数据复制使能"), 1023, false, false, true, ""},
    {S::TuningMode, "TuningMode", KAVIR_TR_NOOP("Setup", "工厂自调测模式使能"), 1024, true, false, true, ""},
    {S::TxChanSel, "TxChanSel", KAVIR_TR_NOOP("Setup", "发射信道选择"), 1025, true, false, true, ""},
    {S::ScanDirection, "ScanDirection", KAVIR_TR_NOOP("Setup", "信道扫描方向"), 1026, true, false, true, ""},
    {S::ScanAlert, "ScanAlert", KAVIR_TR_NOOP("Setup", "扫描声音使能"), 1027, false, false, true, ""},
    {S::ScanDelAdd, "ScanDelAdd", KAVIR_TR_NOOP("Setup", "删除/追加使能"), 1028, true, false, true, ""},
    {S::TempDel, "TempDel", KAVIR_TR_NOOP("Setup", "暂时删除使能"), 1029, true, false, true, ""},
    {S::RxRestart, "RxRestart", KAVIR_TR_NOOP("Setup", "收信停止(跌落)延时"), 1030, true, false, true, ""},
    {S::TxRestart, "TxRestart", KAVIR_TR_NOOP("Setup", "发信停止(跌落)延时"), 1031, true, false, true, ""},
    {S::RxCH, "RxCH", KAVIR_TR_NOOP("Setup", "接收回复信道选择"), 1032, true, false, true, ""},
    {S::AssignCHSet, "AssignCHSet", KAVIR_TR_NOOP("Setup", "指配信道设置"), 1033, true, false, true, ""},
    {S::ScanSpeed, "ScanSpeed", KAVIR_TR_NOOP("Setup", "信道扫描速度"), 1034, true, false, true, ""},
    {S::ScanOperation, "ScanOperation", KAVIR_TR_NOOP("Setup", "频道扫描控制"), 1035, false, false, true, ""},
    {S::ChanMode, "ChanMode", KAVIR_TR_NOOP("Setup", "优先频道选择方式"), 1036, true, false, true, "固定设置的"},
    {S::ChanSet, "ChanSet", KAVIR_TR_NOOP("Setup", "优先频道设置"), 1037, false, false, true, ""},
    {S::LookA, "LookA", KAVIR_TR_NOOP("Setup", "回扫周期"), 1038, false, false, true, ""},
    {S::RxStay, "RxStay", KAVIR_TR_NOOP("Setup", "接收停留时间"), 1039, true, false, true, ""},
    {S::PF1S, "PF1S", KAVIR_TR_NOOP("Setup", "PF1键"), 1117, false, true, true, "关"},
    {S::PF2S, "PF2S", KAVIR_TR_NOOP("Setup", "PF2键"), 1118, false, true, true, "关"},
    {S::PF3S, "PF3S", KAVIR_TR_NOOP("Setup", "PF3键"), 1119, false, true, false, "固定报警键"},
}};

constexpr std::array<Setting, 27> kStoreOrder = {
    S::Type,        S::Mode,          S::TimerOut,   S::Prealet,     S::ChannelMonitor, S::SquelchLevel,  S::Beep,
    S::Voice,       S::Alarm,         S::RunControl, S::CloneEnable, S::TuningMode,     S::ScanOperation, S::ChanMode,
    S::ChanSet,     S::LookA,         S::RxStay,     S::RxRestart,   S::TxRestart,      S::RxCH,          S::TxChanSel,
    S::AssignCHSet, S::ScanDirection, S::ScanSpeed,  S::ScanAlert,   S::ScanDelAdd,     S::TempDel};

// The table is indexed by the enum: a row out of place would name the wrong key.
constexpr bool InEnumOrder() {
  for (int i = 0; i < kSettingCount; ++i)
    if (static_cast<int>(kSettings[i].setting) != i) return false;
  return true;
}
static_assert(InEnumOrder());

}  // namespace

const std::array<SettingInfo, kSettingCount>& Settings() { return kSettings; }

std::string SettingCaption(Setting s) { return TrText("Setup", Info(s).caption); }

const SettingInfo& Info(Setting s) { return kSettings[static_cast<int>(s)]; }

std::optional<Setting> FindSetting(std::string_view key) {
  for (const SettingInfo& i : kSettings)
    if (key == i.key) return i.setting;
  return std::nullopt;
}

const std::array<Setting, 27>& StoreOrder() { return kStoreOrder; }

}  // namespace kavir
