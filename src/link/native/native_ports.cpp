#include "native_ports.h"

#include <algorithm>

#if defined(_WIN32)
#include <windows.h>
#elif !defined(__linux__)
#include <filesystem>
#endif

namespace kavir {

namespace {

#if defined(_WIN32)
std::string Narrow(const wchar_t* text, std::size_t length) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), out.data(), n, nullptr, nullptr);
  return out;
}

// "COM3": the value; "\Device\Serial0", "\Device\VCP0" (the driver's own
// name for it): the description.
std::vector<PortRecord> RegistryPorts() {
  std::vector<PortRecord> out;
  HKEY key;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) != ERROR_SUCCESS)
    return out;
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    wchar_t data[256];
    DWORD name_len = 256, data_size = sizeof data, type = 0;
    const LONG r = RegEnumValueW(key, i, name, &name_len, nullptr, &type, reinterpret_cast<BYTE*>(data), &data_size);
    if (r == ERROR_NO_MORE_ITEMS) break;
    if (r != ERROR_SUCCESS || type != REG_SZ) continue;
    std::size_t chars = data_size / sizeof(wchar_t);
    while (chars > 0 && data[chars - 1] == L'\0') --chars;
    PortRecord p;
    p.device = Narrow(data, chars);
    p.description = Narrow(name, name_len);
    out.push_back(std::move(p));
  }
  RegCloseKey(key);
  return out;
}

int ComNumber(const std::string& device) { return device.rfind("COM", 0) == 0 ? std::atoi(device.c_str() + 3) : 0; }
#endif

}  // namespace

std::vector<PortRecord> NativeAvailablePorts(const std::string& configured_device) {
#if defined(__linux__)
  return ListPorts(*MakeSystemView(), configured_device);
#else
  std::vector<PortRecord> out;
#if defined(_WIN32)
  out = RegistryPorts();
  // COM2 before COM10.
  std::sort(out.begin(), out.end(), [](const PortRecord& a, const PortRecord& b) {
    return std::make_pair(ComNumber(a.device), a.device) < std::make_pair(ComNumber(b.device), b.device);
  });
#else
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator("/dev", ec)) {
    const std::string name = e.path().filename().string();
    if (name.rfind("cu.", 0) == 0) out.push_back(PortRecord{e.path().string()});
  }
  std::sort(out.begin(), out.end(), [](const PortRecord& a, const PortRecord& b) { return a.device < b.device; });
#endif
  for (PortRecord& p : out) p.configured = !configured_device.empty() && p.device == configured_device;
  return out;
#endif
}

}  // namespace kavir
