#pragma once
// Finding the radio and saying what is wrong with a port. The probe sends
// only the read handshake, which changes nothing in a radio, and closes
// the port again; it runs when asked, never on its own.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "link/link_settings.h"
#include "link/ports/port_records.h"
#include "link/transport.h"

namespace kavir {

struct ProbeResult {
  std::string device;
  bool opened = false;
  std::string open_error;    // why it did not open
  std::optional<int> model;  // the model number a radio answered with
};

// Opens device, sends the read handshake (twice at most, timeout_ms each),
// closes it.
ProbeResult ProbeRadio(Transport& transport, Clock& clock, const std::string& device, int timeout_ms);
// The usable ports one at a time; `each` sees every result as it comes.
std::vector<ProbeResult> ProbePorts(Transport& transport, Clock& clock, const std::vector<PortRecord>& ports,
                                    int timeout_ms, const std::function<void(const ProbeResult&)>& each = {});

enum class Verdict { Ok, Warn, Fail, Skip, Info };

struct DoctorCheck {
  Verdict verdict;
  std::string name;
  std::string detail;  // what was found, and the fix where something is wrong
};

struct DoctorOptions {
  std::string device;
  LineSettings line;
  int handshake_ms = kDefaultWaitMs;
  bool loopback = false;  // TX and RX joined, no radio
  // How the user asks for the loopback test ("--loopback"); empty where it
  // cannot be asked for, and the report then names no option.
  std::string loopback_option;
  std::function<std::string(int)> model_name;  // "" when unknown
};

struct DoctorReport {
  std::string device;
  std::vector<DoctorCheck> checks;
  std::optional<int> model;  // set when a radio answered
  std::string model_name;
  // One line per check, then the conclusion.
  std::string Text() const;
};

DoctorReport RunDoctor(SystemView& system, Transport& transport, Clock& clock, const DoctorOptions& options);

}  // namespace kavir
