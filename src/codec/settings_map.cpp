#include "settings_map.h"

namespace kavir::settings_map {

const DecodedField kBlockA[19] = {
    {"ChanMode", 0, 0, 2, Decode::Fixed, "固定设置的"},
    {"ScanOperation", 0, 2, 2, Decode::PlusOne, "无扫描"},
    {"ChannelMonitor", 0, 6, 2, Decode::PlusOne, "无监听"},
    {"ChanSet", 1, 0, 8, Decode::PlusOne, "关"},
    {"LookA", 2, 0, 8, Decode::LookA, "0.5S"},
    {"RxStay", 3, 0, 8, Decode::Fixed, "3.0S"},
    {"RxRestart", 4, 0, 8, Decode::Fixed, "3.0S"},
    {"TxRestart", 5, 0, 8, Decode::Fixed, "3.0S"},
    {"TxChanSel", 6, 0, 3, Decode::Fixed, "当前信道"},
    {"RxCH", 6, 4, 3, Decode::Fixed, "当前信道"},
    {"AssignCHSet", 7, 0, 8, Decode::Fixed, "关"},
    {"TempDel", 8, 0, 1, Decode::Fixed, "关"},
    {"ScanDelAdd", 8, 1, 1, Decode::Fixed, "关"},
    {"ScanAlert", 8, 2, 1, Decode::PlusOne, "关"},
    {"ScanSpeed", 8, 3, 1, Decode::Fixed, "快(100ms)"},
    {"ScanDirection", 8, 4, 1, Decode::Fixed, "向上"},
    {"SquelchLevel", 9, 0, 4, Decode::PlusOne, "1"},
    {"TimerOut", 10, 0, 8, Decode::Timer, "关"},
    {"Prealet", 11, 0, 8, Decode::Warning, "关"},
};

const DecodedField kBlockB[7] = {
    {"Alarm", 3, 0, 2, Decode::PlusOne, "关"},
    {"Beep", 3, 2, 1, Decode::PlusOne, "关"},
    {"BatterySupply", 3, 3, 1, Decode::PlusOne, "0"},
    {"Voice", 3, 4, 2, Decode::PlusOne, "关"},
    {"TuningMode", 4, 0, 1, Decode::Fixed, "关"},
    {"CloneEnable", 4, 1, 2, Decode::PlusOne, "禁止"},
    {"RunControl", 4, 3, 1, Decode::Fixed, "唤醒"},
};

const DecodedField kKeys[2] = {
    {"PF1S", 4, 0, 8, Decode::PlusOne, "关"},
    {"PF2S", 5, 0, 8, Decode::PlusOne, "关"},
};

const EncodedField kEncoded[27] = {
    {"ChannelMonitor", 16, 0, 6, 2, Encode::RangeOrZero, 3},
    {"ScanOperation", 16, 0, 2, 2, Encode::RangeOrZero, 2},
    {"ChanMode", 16, 0, 0, 2, Encode::RangeOrZero, 2},
    {"ChanSet", 16, 1, 0, 8, Encode::Byte, 0},
    {"LookA", 16, 2, 0, 8, Encode::Byte, 5},
    {"RxStay", 16, 3, 0, 8, Encode::Byte, 5},
    {"RxRestart", 16, 4, 0, 8, Encode::Byte, 1},
    {"TxRestart", 16, 5, 0, 8, Encode::Byte, 1},
    {"RxCH", 16, 6, 4, 3, Encode::RangeOrZero, 5},
    {"TxChanSel", 16, 6, 0, 3, Encode::RangeOrZero, 5},
    {"AssignCHSet", 16, 7, 0, 8, Encode::Byte, 0},
    {"ScanDirection", 16, 8, 4, 1, Encode::LowBits, 0},
    {"ScanSpeed", 16, 8, 3, 1, Encode::LowBits, 0},
    {"ScanAlert", 16, 8, 2, 1, Encode::LowBits, 0},
    {"ScanDelAdd", 16, 8, 1, 1, Encode::LowBits, 0},
    {"TempDel", 16, 8, 0, 1, Encode::LowBits, 0},
    {"SquelchLevel", 16, 9, 0, 8, Encode::Byte, 0},
    {"TimerOut", 16, 10, 0, 8, Encode::Timer, 0},
    {"Prealet", 16, 11, 0, 8, Encode::Warning, 0},
    {"Voice", 17, 3, 4, 2, Encode::LowBits, 0},
    {"Beep", 17, 3, 2, 1, Encode::LowBits, 0},
    {"Alarm", 17, 3, 0, 2, Encode::LowBits, 0},
    {"RunControl", 17, 4, 3, 1, Encode::LowBits, 0},
    {"CloneEnable", 17, 4, 1, 2, Encode::LowBits, 0},
    {"TuningMode", 17, 4, 0, 1, Encode::LowBits, 0},
    {"PF1S", 18, 4, 0, 8, Encode::Byte, 0},
    {"PF2S", 18, 5, 0, 8, Encode::Byte, 0},
};

const std::uint8_t kBlockBTail[11] = {0x21, 0x11, 0xFF, 0x00, 0x01, 0x01,
                                      0x1E, 0x00, 0x00, 0x32, 0x32};
const std::uint8_t kBlock2A0[16] = {0x3D, 0x37, 0x64, 0xF0, 0x08, 0x13, 0x31, 0x10,
                                    0, 0, 0, 0, 0, 0, 0, 0};

}  // namespace kavir::settings_map
