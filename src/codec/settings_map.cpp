#include "settings_map.h"

namespace kavir::settings_map {

const DecodedField kBlockA[19] = {
    {Setting::ChanMode, 0, 0, 2, Decode::Fixed, "固定设置的"},
    {Setting::ScanOperation, 0, 2, 2, Decode::PlusOne, "无扫描"},
    {Setting::ChannelMonitor, 0, 6, 2, Decode::PlusOne, "无监听"},
    {Setting::ChanSet, 1, 0, 8, Decode::PlusOne, "关"},
    {Setting::LookA, 2, 0, 8, Decode::LookA, "0.5S"},
    {Setting::RxStay, 3, 0, 8, Decode::Fixed, "3.0S"},
    {Setting::RxRestart, 4, 0, 8, Decode::Fixed, "3.0S"},
    {Setting::TxRestart, 5, 0, 8, Decode::Fixed, "3.0S"},
    {Setting::TxChanSel, 6, 0, 3, Decode::Fixed, "当前信道"},
    {Setting::RxCH, 6, 4, 3, Decode::Fixed, "当前信道"},
    {Setting::AssignCHSet, 7, 0, 8, Decode::Fixed, "关"},
    {Setting::TempDel, 8, 0, 1, Decode::Fixed, "关"},
    {Setting::ScanDelAdd, 8, 1, 1, Decode::Fixed, "关"},
    {Setting::ScanAlert, 8, 2, 1, Decode::PlusOne, "关"},
    {Setting::ScanSpeed, 8, 3, 1, Decode::Fixed, "快(100ms)"},
    {Setting::ScanDirection, 8, 4, 1, Decode::Fixed, "向上"},
    {Setting::SquelchLevel, 9, 0, 4, Decode::PlusOne, "1"},
    {Setting::TimerOut, 10, 0, 8, Decode::Timer, "关"},
    {Setting::Prealet, 11, 0, 8, Decode::Warning, "关"},
};

const DecodedField kBlockB[6] = {
    {Setting::Alarm, 3, 0, 2, Decode::PlusOne, "关"},         {Setting::Beep, 3, 2, 1, Decode::PlusOne, "关"},
    {Setting::Voice, 3, 4, 2, Decode::PlusOne, "关"},         {Setting::TuningMode, 4, 0, 1, Decode::Fixed, "关"},
    {Setting::CloneEnable, 4, 1, 2, Decode::PlusOne, "禁止"}, {Setting::RunControl, 4, 3, 1, Decode::Fixed, "唤醒"},
};

const DecodedField kKeys[2] = {
    {Setting::PF1S, 4, 0, 8, Decode::PlusOne, "关"},
    {Setting::PF2S, 5, 0, 8, Decode::PlusOne, "关"},
};

const EncodedField kEncoded[27] = {
    {Setting::ChannelMonitor, 16, 0, 6, 2, Encode::RangeOrZero, 3},
    {Setting::ScanOperation, 16, 0, 2, 2, Encode::RangeOrZero, 2},
    {Setting::ChanMode, 16, 0, 0, 2, Encode::RangeOrZero, 2},
    {Setting::ChanSet, 16, 1, 0, 8, Encode::Byte, 0},
    {Setting::LookA, 16, 2, 0, 8, Encode::Byte, 5},
    {Setting::RxStay, 16, 3, 0, 8, Encode::Byte, 5},
    {Setting::RxRestart, 16, 4, 0, 8, Encode::Byte, 1},
    {Setting::TxRestart, 16, 5, 0, 8, Encode::Byte, 1},
    {Setting::RxCH, 16, 6, 4, 3, Encode::RangeOrZero, 5},
    {Setting::TxChanSel, 16, 6, 0, 3, Encode::RangeOrZero, 5},
    {Setting::AssignCHSet, 16, 7, 0, 8, Encode::Byte, 0},
    {Setting::ScanDirection, 16, 8, 4, 1, Encode::LowBits, 0},
    {Setting::ScanSpeed, 16, 8, 3, 1, Encode::LowBits, 0},
    {Setting::ScanAlert, 16, 8, 2, 1, Encode::LowBits, 0},
    {Setting::ScanDelAdd, 16, 8, 1, 1, Encode::LowBits, 0},
    {Setting::TempDel, 16, 8, 0, 1, Encode::LowBits, 0},
    {Setting::SquelchLevel, 16, 9, 0, 8, Encode::Byte, 0},
    {Setting::TimerOut, 16, 10, 0, 8, Encode::Timer, 0},
    {Setting::Prealet, 16, 11, 0, 8, Encode::Warning, 0},
    {Setting::Voice, 17, 3, 4, 2, Encode::LowBits, 0},
    {Setting::Beep, 17, 3, 2, 1, Encode::LowBits, 0},
    {Setting::Alarm, 17, 3, 0, 2, Encode::LowBits, 0},
    {Setting::RunControl, 17, 4, 3, 1, Encode::LowBits, 0},
    {Setting::CloneEnable, 17, 4, 1, 2, Encode::LowBits, 0},
    {Setting::TuningMode, 17, 4, 0, 1, Encode::LowBits, 0},
    {Setting::PF1S, 18, 4, 0, 8, Encode::Byte, 0},
    {Setting::PF2S, 18, 5, 0, 8, Encode::Byte, 0},
};

const std::uint8_t kBlockBTail[11] = {0x21, 0x11, 0xFF, 0x00, 0x01, 0x01, 0x1E, 0x00, 0x00, 0x32, 0x32};
const std::uint8_t kBlock2A0[16] = {0x3D, 0x37, 0x64, 0xF0, 0x08, 0x13, 0x31, 0x10, 0, 0, 0, 0, 0, 0, 0, 0};
const std::uint8_t kIdentityFixed[7] = {0x64, 0x01, 0x00, 0x20, 0x05, 0x06, 0x18};

}  // namespace kavir::settings_map
