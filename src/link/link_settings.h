#pragma once
// The link's settings in KAVIR.ini: the port (section ComPort), the line
// settings beside it, and the time-outs (section WaitFor).
#include <string>

#include "ini/ini_document.h"
#include "link/ports/port_control.h"

namespace kavir {

inline constexpr int kDefaultWaitMs = 80;

struct PortChoice {
  int port_number = 1;  // first character of ComPort/1 minus '0', unchecked
  std::string device;   // ComPort/Device; when not empty it wins over the digit
};
PortChoice ReadPortChoice(const IniDocument& kavir_ini);

enum class Parity { None, Even, Odd };
enum class FlowControl { None, Hardware, Software };

struct LineSettings {
  int baud = 9600;
  int data_bits = 8;
  Parity parity = Parity::None;
  int stop_bits = 1;
  FlowControl flow = FlowControl::None;
  ModemLines lines;  // DTR raised, RTS low unless KAVIR.ini says otherwise
};
// ComPort keys Baud, DataBits, Parity (N/E/O), StopBits (1/2),
// FlowControl (None/RTS/XON), DTR and RTS (1 raised, 0 low). A value that makes no sense keeps its default
// and is named in *warning.
LineSettings ReadLineSettings(const IniDocument& kavir_ini, std::string* warning = nullptr);

struct Timeouts {
  int handshake = kDefaultWaitMs;  // WaitFor/Shk
  int receive = kDefaultWaitMs;    // WaitFor/Rx
  int transmit = kDefaultWaitMs;   // WaitFor/Tx
};
// Milliseconds from 1 to 32767 are used as written. 0, a negative value or
// anything but a whole decimal number ("1e3", "80ms") would fail every
// transfer or be a guess: the default is used and the key is named in
// *warning with its text as written. A larger value would wrap to nothing in the 16 bits
// the radio family's programs hold it in: it becomes 32767 and is named in
// *warning with what to do.
inline constexpr int kMaxTimeoutMs = 32767;  // what 16 bits hold
Timeouts ReadTimeouts(const IniDocument& kavir_ini, std::string* warning = nullptr);

// KAVIR.ini Write/Verify: read the radio back after every write (default
// on; "0" turns it off).
bool ReadVerifyAfterWrite(const IniDocument& kavir_ini);
void SetVerifyAfterWrite(IniDocument& kavir_ini, bool on);
// KAVIR.ini Write/KeepRadio: read the radio before a write and keep what it
// held in backups/ (default on; "0" turns it off).
bool ReadKeepRadioBeforeWrite(const IniDocument& kavir_ini);
void SetKeepRadioBeforeWrite(IniDocument& kavir_ini, bool on);
// Whether the desktop lists what a write changes before it writes (on
// unless KAVIR.ini says "[Write] ShowChanges=0").
bool ReadShowChangesBeforeWrite(const IniDocument& kavir_ini);
void SetShowChangesBeforeWrite(IniDocument& kavir_ini, bool on);

// What the port dialog shows and sets.
struct PortSettings {
  int port_number = 1;  // 1 to 4 in the dialog
  std::string device;   // "" for a COM button
  int baud = 9600;
  Timeouts timeouts;
};

PortSettings ReadPortSettings(const IniDocument& kavir_ini);
// "" when the settings can be used, else what is wrong with them.
std::string CheckPortSettings(const PortSettings& s);
// Writes port, device, baud rate and time-outs; every other key stays. A
// device is written only when set or already present, a baud rate only
// when it differs from 9600 or is already present.
void StorePortSettings(IniDocument& kavir_ini, const PortSettings& s);

}  // namespace kavir
