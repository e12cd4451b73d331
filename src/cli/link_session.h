#pragma once
// What kavir-cli read and write share: the port from --port, the serial
// transport, and the answers to the transfer's prompts.
#include <memory>
#include <string>

#include "cli_args.h"
#include "cli_ui.h"
#include "link/native/native_transport.h"
#include "link/serial_link.h"

namespace kavir::cli {

struct PortArg {
  int port_number = 1;
  std::string device;  // empty when PORT was a number
};
// A number is a port number, anything else a device path.
std::optional<PortArg> ParsePortArg(const std::string& text, std::string* error);
// --retries N: a whole number from 0; default 0.
std::optional<int> ParseRetries(const CliArgs& args, std::string* error);

// Yes to the confirmation, Yes to the first `retries` failures, then No;
// the other-model question gets `other_model`. Every question and its
// answer is said on stderr as the terminal's user interface says it.
// Remembers the last failure and whether the other model was refused.
class CliEvents : public TransferEvents {
 public:
  explicit CliEvents(CliUi& ui) : ui_(ui) {}
  int retries = 0;
  bool other_model = false;
  std::string last_failure;  // its cause, on one line
  bool refused_other_model = false;

  bool ConfirmRead(ReadPurpose purpose) override;
  bool ConfirmWrite(const std::string& model) override;
  bool AcceptOtherModel(const std::string& radio_model, const std::string& data_model,
                        const std::string& prompt) override;
  bool Retry(const TransferFailure& failure) override;
  void Error(const std::string& text) override;
  void Status(const std::string& text) override;
  void Progress(const std::string& text, short range, short position) override;
  void ProgressEnd() override;

 private:
  bool Said(const std::string& prompt, bool yes);
  CliUi& ui_;
};

class LinkSession {
 public:
  LinkSession(const WorkingFiles& files, const ProgramConfig& config, CliUi& ui, const PortArg& port);
  // Opens the port; false with *error naming the device, the reason and
  // what to try (printed once, by the caller).
  bool Open(std::string* error);
  SerialLink& link() { return *link_; }
  CliEvents& events() { return events_; }

 private:
  CliUi& ui_;
  CliEvents events_;
  NativeSerialTransport transport_;
  SteadyClock clock_;
  std::unique_ptr<SerialLink> link_;
};

}  // namespace kavir::cli
