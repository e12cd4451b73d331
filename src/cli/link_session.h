#pragma once
// What kavir-cli read and write share: the port from --port, the serial
// transport, and the answers to the transfer's prompts.
#include <memory>
#include <string>

#include "link/native/native_transport.h"
#include "link/serial_link.h"
#include "cli_args.h"
#include "cli_ui.h"

namespace kavir::cli {

struct PortArg {
  int port_number = 1;
  std::string device;  // empty when PORT was a number
};
// A number is a port number, anything else a device path.
std::optional<PortArg> ParsePortArg(const std::string& text, std::string* error);
// --retries N: a whole number from 0; default 0.
std::optional<int> ParseRetries(const CliArgs& args, std::string* error);

class LinkSession {
 public:
  LinkSession(const WorkingFiles& files, CliUi& ui, const PortArg& port);
  // Opens the port; false with *error naming the device, the reason and
  // what to try (printed once, by the caller).
  bool Open(std::string* error);
  SerialLink& link() { return *link_; }

 private:
  CliUi& ui_;
  NativeSerialTransport transport_;
  SteadyClock clock_;
  std::unique_ptr<SerialLink> link_;
};

// Yes to the confirmation, Yes to the first `retries` failure prompts, then
// No; the other-model question gets `other_model`. Remembers the last
// failure prompt and whether the other-model question was refused.
struct PromptPolicy {
  int retries = 0;
  bool other_model = false;
  std::string last_failure;
  bool refused_other_model = false;
  bool Answer(const std::string& text);
};

// A prompt's text on one line, for stderr.
std::string OneLineText(const std::string& text);

}  // namespace kavir::cli
