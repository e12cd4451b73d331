#include "port_list.h"

#include <QSerialPortInfo>

namespace kavir {

std::vector<PortInfo> AvailablePorts() {
  std::vector<PortInfo> out;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    std::string description = info.description().toStdString();
    if (!info.manufacturer().isEmpty()) {
      if (!description.empty()) description += ", ";
      description += info.manufacturer().toStdString();
    }
    out.push_back({info.systemLocation().toStdString(), description});
  }
  return out;
}

}  // namespace kavir
