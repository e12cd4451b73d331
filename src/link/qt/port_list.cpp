#include "port_list.h"

#include <QSerialPortInfo>

namespace kavir {

std::vector<PortRecord> AvailablePorts(const std::string& configured_device) {
#if defined(__linux__)
  return ListPorts(*MakeSystemView(), configured_device);
#else
  std::vector<PortRecord> out;
  auto hex = [](quint16 v) { return QString::number(v, 16).rightJustified(4, '0').toStdString(); };
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    PortRecord r;
    r.device = info.systemLocation().toStdString();
    r.description = info.description().toStdString();
    r.manufacturer = info.manufacturer().toStdString();
    r.serial = info.serialNumber().toStdString();
    if (info.hasVendorIdentifier()) {
      r.usb = true;
      r.vid = hex(info.vendorIdentifier());
      r.pid = info.hasProductIdentifier() ? hex(info.productIdentifier()) : std::string();
    }
    r.family = AdapterFamily(r.vid, r.pid, "");
    r.configured = !configured_device.empty() && r.device == configured_device;
    out.push_back(std::move(r));
  }
  return out;
#endif
}

}  // namespace kavir
