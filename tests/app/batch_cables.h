#pragma once
// Batch ports on in-process virtual cables, each with its own virtual clock
// and a queue of blank radios of the given models.
#include <map>
#include <string>
#include <vector>

#include "batch/batch_job.h"
#include "sim/virtual_cable.h"

namespace kavir::app::test {

inline PortOpener VirtualCables(std::map<std::string, std::vector<int>> models, int latency_ms = 2) {
  return [models, latency_ms](const BatchPort& port) {
    auto clock = std::make_unique<sim::VirtualClock>();
    std::vector<sim::RadioProtocol> radios;
    auto it = models.find(port.label);
    if (it != models.end())
      for (int m : it->second) radios.emplace_back(sim::RadioImage{}, m);
    auto cable = std::make_unique<sim::VirtualCable>(*clock, std::move(radios));
    cable->latency_ms = latency_ms;
    return PortIo{std::move(cable), std::move(clock)};
  };
}

}  // namespace kavir::app::test
