#include "link_settings.h"

#include <cctype>
#include <cstdint>

namespace kavir {

PortChoice ReadPortChoice(const IniDocument& kavir_ini) {
  PortChoice choice;
  std::string digit = kavir_ini.GetString("ComPort", "1", "1", 3);
  choice.port_number = digit.empty() ? -'0' : static_cast<unsigned char>(digit[0]) - '0';
  std::string device = kavir_ini.GetString("ComPort", "Device", "", 260);
  // Blanks around a hand-typed path are not part of it.
  std::size_t b = device.find_first_not_of(" \t");
  std::size_t e = device.find_last_not_of(" \t");
  choice.device = b == std::string::npos ? std::string() : device.substr(b, e - b + 1);
  return choice;
}

namespace {

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

void Warn(std::string* warning, const std::string& text) {
  if (!warning) return;
  if (!warning->empty()) *warning += "; ";
  *warning += text;
}

}  // namespace

LineSettings ReadLineSettings(const IniDocument& ini, std::string* warning) {
  LineSettings s;
  if (auto v = ini.Find("ComPort", "Baud")) {
    int baud = LeadingInt(*v, 0);
    if (baud > 0)
      s.baud = baud;
    else
      Warn(warning, "ComPort/Baud=" + *v + " is not a baud rate, using 9600");
  }
  if (auto v = ini.Find("ComPort", "DataBits")) {
    int bits = LeadingInt(*v, 0);
    if (bits >= 5 && bits <= 8)
      s.data_bits = bits;
    else
      Warn(warning, "ComPort/DataBits=" + *v + " is not 5 to 8, using 8");
  }
  if (auto v = ini.Find("ComPort", "Parity")) {
    std::string p = Upper(*v);
    if (p.rfind("N", 0) == 0)
      s.parity = Parity::None;
    else if (p.rfind("E", 0) == 0)
      s.parity = Parity::Even;
    else if (p.rfind("O", 0) == 0)
      s.parity = Parity::Odd;
    else
      Warn(warning, "ComPort/Parity=" + *v + " is not N, E or O, using N");
  }
  if (auto v = ini.Find("ComPort", "StopBits")) {
    int bits = LeadingInt(*v, 0);
    if (bits == 1 || bits == 2)
      s.stop_bits = bits;
    else
      Warn(warning, "ComPort/StopBits=" + *v + " is not 1 or 2, using 1");
  }
  if (auto v = ini.Find("ComPort", "FlowControl")) {
    std::string f = Upper(*v);
    if (f.empty() || f.rfind("NO", 0) == 0)
      s.flow = FlowControl::None;
    else if (f.rfind("RTS", 0) == 0 || f.rfind("HARD", 0) == 0)
      s.flow = FlowControl::Hardware;
    else if (f.rfind("XON", 0) == 0 || f.rfind("SOFT", 0) == 0)
      s.flow = FlowControl::Software;
    else
      Warn(warning, "ComPort/FlowControl=" + *v + " is not None, RTS or XON, using None");
  }
  return s;
}

Timeouts ReadTimeouts(const IniDocument& ini, std::string* warning) {
  auto get = [&](const char* key) {
    const int value = ini.GetInt("WaitFor", key, kDefaultWaitMs);
    if (value <= kMaxWaitMs) return value;
    Warn(warning, std::string("KAVIR.ini [WaitFor] ") + key + "=" + std::to_string(value) +
                      " is more than " + std::to_string(kMaxWaitMs) + " ms, the longest wait there is; using " +
                      std::to_string(kMaxWaitMs) + ". Set a value from 1 to " + std::to_string(kMaxWaitMs) +
                      " (80 is the usual).");
    return kMaxWaitMs;
  };
  return Timeouts{get("Shk"), get("Rx"), get("Tx")};
}

bool ReadVerifyAfterWrite(const IniDocument& ini) {
  return LeadingInt(ini.GetString("Write", "Verify", "1", 8), 1) != 0;
}

void SetVerifyAfterWrite(IniDocument& ini, bool on) { ini.SetString("Write", "Verify", on ? "1" : "0"); }

}  // namespace kavir
