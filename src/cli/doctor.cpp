// kavir-cli doctor: one line per check of the cable's port, and the fix.
#include <iostream>

#include "commands.h"
#include "link/link_settings.h"
#include "link/native/native_transport.h"
#include "link/port_device.h"
#include "link/port_doctor.h"
#include "link_session.h"

namespace kavir::cli {

int RunDoctor(const CliArgs& args) {
  if (!args.positional.empty()) return UsageError("doctor");
  const ProgramConfig config = ProgramConfig::Read(args.files.kavir_ini);
  const IniDocument& kavir_ini = config.ini();
  std::string device = ConfiguredDevice(config);
  if (auto text = args.Option("port")) {
    std::string error;
    auto port = ParsePortArg(*text, &error);
    if (!port) return Fail(kExitBadInput, error);
    device = port->device.empty() ? PortDeviceName(port->port_number) : port->device;
  }
  DoctorOptions options;
  options.device = device;
  options.line = ReadLineSettings(kavir_ini);
  options.handshake_ms = ReadTimeouts(kavir_ini).handshake;
  options.loopback = args.Flag("loopback");
  options.loopback_option = "--loopback";
  options.model_name = [&](int n) { return kavir_ini.GetString("Type", std::to_string(n), "", 20); };
  NativeSerialTransport transport(options.line);
  SteadyClock clock;
  const DoctorReport report = RunDoctor(*MakeSystemView(), transport, clock, options);
  std::cout << report.Text();
  std::cout.flush();
  return report.model ? kExitOk : kExitFailed;
}

}  // namespace kavir::cli
