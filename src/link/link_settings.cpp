#include "link_settings.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <optional>
#include <utility>

#include "radio_texts.h"

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

// "KAVIR.ini [ComPort] Baud=fast 不是波特率, 按 9600 使用。"
std::string ComPortText(const char* pattern, const std::string& key, const std::string& value,
                        const std::string& used = {}) {
  return ArgText(TrText("Link", pattern), {key, value, used});
}

}  // namespace

LineSettings ReadLineSettings(const IniDocument& ini, std::string* warning) {
  LineSettings s;
  if (auto v = ini.Find("ComPort", "Baud")) {
    int baud = LeadingInt(*v, 0);
    if (baud > 0)
      s.baud = baud;
    else
      Warn(warning,
           ComPortText(KAVIR_TR_NOOP("Link", "KAVIR.ini [ComPort] %1=%2 不是波特率, 按 9600 使用。"), "Baud", *v));
  }
  if (auto v = ini.Find("ComPort", "DataBits")) {
    int bits = LeadingInt(*v, 0);
    if (bits >= 5 && bits <= 8)
      s.data_bits = bits;
    else
      Warn(warning,
           ComPortText(KAVIR_TR_NOOP("Link", "KAVIR.ini [ComPort] %1=%2 不是 5 到 8, 按 8 使用。"), "DataBits", *v));
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
      Warn(warning,
           ComPortText(KAVIR_TR_NOOP("Link", "KAVIR.ini [ComPort] %1=%2 不是 N、E 或 O, 按 N 使用。"), "Parity", *v));
  }
  if (auto v = ini.Find("ComPort", "StopBits")) {
    int bits = LeadingInt(*v, 0);
    if (bits == 1 || bits == 2)
      s.stop_bits = bits;
    else
      Warn(warning,
           ComPortText(KAVIR_TR_NOOP("Link", "KAVIR.ini [ComPort] %1=%2 不是 1 或 2, 按 1 使用。"), "StopBits", *v));
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
      Warn(warning,
           ComPortText(KAVIR_TR_NOOP("Link", "KAVIR.ini [ComPort] %1=%2 不是 None、RTS 或 XON, 按 None 使用。"),
                       "FlowControl", *v));
  }
  for (auto [key, line] : {std::pair{"DTR", &s.lines.dtr}, std::pair{"RTS", &s.lines.rts}}) {
    if (auto v = ini.Find("ComPort", key)) {
      if (*v == "0" || *v == "1")
        *line = *v == "1";
      else
        Warn(warning, ComPortText(KAVIR_TR_NOOP("Link", "KAVIR.ini [ComPort] %1=%2 不是 0 或 1, 按 %3 使用。"), key, *v,
                                  *line ? "1" : "0"));
    }
  }
  return s;
}

namespace {

// A time-out as written: digits with an optional sign, blanks around them
// allowed; nullopt for anything else ("1e3", "80ms", ""). A number too long
// for an int comes back as the int's limit, which is out of range anyway.
std::optional<long long> WholeNumber(const std::string& text) {
  const std::size_t b = text.find_first_not_of(" \t");
  if (b == std::string::npos) return std::nullopt;
  const std::size_t e = text.find_last_not_of(" \t") + 1;
  std::size_t i = b;
  const bool negative = text[i] == '-';
  if (text[i] == '-' || text[i] == '+') ++i;
  if (i == e) return std::nullopt;
  long long value = 0;
  for (; i < e; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
    value = std::min<long long>(value * 10 + (text[i] - '0'), std::int64_t{1} << 40);
  }
  return negative ? -value : value;
}

}  // namespace

Timeouts ReadTimeouts(const IniDocument& ini, std::string* warning) {
  const std::string most = std::to_string(kMaxTimeoutMs);
  auto get = [&](const char* key) {
    const std::optional<std::string> text = ini.Find("WaitFor", key);
    if (!text) return kDefaultWaitMs;
    const std::optional<long long> value = WholeNumber(*text);
    // No wait at all (or no number) fails every transfer: the default works.
    if (!value || *value < 1) {
      Warn(warning, ArgText(TrText("Link",
                                   "KAVIR.ini [WaitFor] %1=%2 无法使用, 按默认的 %3 毫秒等待。"
                                   "请改为 1 到 %4 之间的值, 可在 工具 → 串口 中设置。"),
                            {key, *text, std::to_string(kDefaultWaitMs), most}));
      return kDefaultWaitMs;
    }
    if (*value <= kMaxTimeoutMs) return static_cast<int>(*value);
    Warn(warning, ArgText(TrText("Link",
                                 "KAVIR.ini [WaitFor] %1=%2 超过最长的等待 %3 毫秒, 按 %3 毫秒等待。"
                                 "请改为 1 到 %3 之间的值 (通常为 80), 可在 工具 → 串口 中设置。"),
                          {key, *text, most}));
    return kMaxTimeoutMs;
  };
  return Timeouts{get("Shk"), get("Rx"), get("Tx")};
}

bool ReadVerifyAfterWrite(const IniDocument& ini) {
  return LeadingInt(ini.GetString("Write", "Verify", "1", 8), 1) != 0;
}

void SetVerifyAfterWrite(IniDocument& ini, bool on) { ini.SetString("Write", "Verify", on ? "1" : "0"); }

bool ReadKeepRadioBeforeWrite(const IniDocument& ini) {
  return LeadingInt(ini.GetString("Write", "KeepRadio", "1", 8), 1) != 0;
}

void SetKeepRadioBeforeWrite(IniDocument& ini, bool on) { ini.SetString("Write", "KeepRadio", on ? "1" : "0"); }

bool ReadShowChangesBeforeWrite(const IniDocument& ini) {
  return LeadingInt(ini.GetString("Write", "ShowChanges", "1", 8), 1) != 0;
}

void SetShowChangesBeforeWrite(IniDocument& ini, bool on) { ini.SetString("Write", "ShowChanges", on ? "1" : "0"); }

PortSettings ReadPortSettings(const IniDocument& kavir_ini) {
  PortSettings s;
  const PortChoice choice = ReadPortChoice(kavir_ini);
  s.port_number = choice.port_number;
  s.device = choice.device;
  s.baud = ReadLineSettings(kavir_ini).baud;
  s.timeouts = ReadTimeouts(kavir_ini);
  return s;
}

std::string CheckPortSettings(const PortSettings& s) {
  if (s.device.empty() && (s.port_number < 1 || s.port_number > 9))
    return ArgText(TrText("Link", "串口号 %1 无效"), {std::to_string(s.port_number)});
  if (s.baud < 50 || s.baud > 4000000) return ArgText(TrText("Link", "波特率 %1 无效"), {std::to_string(s.baud)});
  const struct {
    const char* name;
    int value;
  } waits[] = {{KAVIR_TR_NOOP("Link", "握手超时"), s.timeouts.handshake},
               {KAVIR_TR_NOOP("Link", "接收超时"), s.timeouts.receive},
               {KAVIR_TR_NOOP("Link", "发送超时"), s.timeouts.transmit}};
  for (const auto& w : waits)
    if (w.value < 1 || w.value > kMaxTimeoutMs)
      return ArgText(TrText("Link", "%1 %2 毫秒无效（应为 1 到 %3）"),
                     {LinkText(w.name), std::to_string(w.value), std::to_string(kMaxTimeoutMs)});
  return {};
}

void StorePortSettings(IniDocument& ini, const PortSettings& s) {
  ini.SetString("ComPort", "1", std::string(1, static_cast<char>('0' + s.port_number)));
  // Only a named device is kept; choosing a COM button forgets it.
  if (!s.device.empty() || ini.Find("ComPort", "Device")) ini.SetString("ComPort", "Device", s.device);
  if (s.baud != LineSettings{}.baud || ini.Find("ComPort", "Baud"))
    ini.SetString("ComPort", "Baud", std::to_string(s.baud));
  ini.SetString("WaitFor", "Shk", std::to_string(s.timeouts.handshake));
  ini.SetString("WaitFor", "Rx", std::to_string(s.timeouts.receive));
  ini.SetString("WaitFor", "Tx", std::to_string(s.timeouts.transmit));
}

}  // namespace kavir
