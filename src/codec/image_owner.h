#pragma once
// Which channel or setting a byte of the radio image belongs to, for
// messages that name a byte the radio holds wrongly.
#include <string>

namespace kavir {

// "信道 07 CH07.Decode", "功能设置 TimerOut", "机型与频段 FreqU/FreqV" ...;
// an address outside 0 to 767 gives "".
std::string ImageAddressOwner(int address);

}  // namespace kavir
