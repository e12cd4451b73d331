#include "link_session.h"

#include <cctype>

#include "ini/ini_document.h"
#include "link/link_settings.h"
#include "link/radio_texts.h"
#include "link/transfer_summary.h"
#include "terminal_text.h"

namespace kavir::cli {

std::optional<PortArg> ParsePortArg(const std::string& text, std::string* error) {
  if (text.empty()) {
    *error = "--port needs a port number or a device path";
    return std::nullopt;
  }
  bool digits = text.size() <= 3;
  for (char c : text) digits = digits && std::isdigit(static_cast<unsigned char>(c));
  PortArg port;
  if (digits) {
    port.port_number = std::stoi(text);
    if (port.port_number < 1) {
      *error = "--port " + text + ": port numbers start at 1";
      return std::nullopt;
    }
  } else {
    port.device = text;
  }
  return port;
}

std::optional<int> ParseRetries(const CliArgs& args, std::string* error) {
  auto value = args.Option("retries");
  if (!value) return 0;
  bool ok = !value->empty() && value->size() <= 4;
  for (char c : *value) ok = ok && std::isdigit(static_cast<unsigned char>(c));
  if (!ok) {
    *error = "--retries wants a whole number from 0, not '" + *value + "'";
    return std::nullopt;
  }
  return std::stoi(*value);
}

LinkSession::LinkSession(const WorkingFiles& files, const ProgramConfig& config, CliUi& ui, const PortArg& port)
    : ui_(ui), events_(ui) {
  std::string warning;
  transport_.set_line_settings(ReadLineSettings(config.ini(), &warning));
  if (!warning.empty()) PrintErr(Printf("kavir-cli: warning: %s\n", warning.c_str()));
  link_ = std::make_unique<SerialLink>(transport_, clock_, events_, files);
  link_->set_config(config);
  link_->port_number = port.port_number;
  link_->device = port.device;
}

bool LinkSession::Open(std::string* error) {
  // The link shows the error as it happens; here the caller prints it once.
  const bool printed = ui_.print_errors;
  ui_.print_errors = false;
  link_->OpenPort();
  ui_.print_errors = printed;
  if (transport_.IsOpen()) return true;
  *error = link_->last_open_error() + TrText("Link", " (运行 kavir-cli doctor --port PORT 可逐项检查串口)");
  return false;
}

bool CliEvents::Said(const std::string& prompt, bool yes) {
  ui_.Asked(prompt, LinkText(kPromptCaption), yes);
  return yes;
}

bool CliEvents::ConfirmRead(ReadPurpose purpose) { return Said(ReadConfirmText(purpose), true); }
bool CliEvents::ConfirmWrite(const std::string& model) { return Said(WriteConfirmText(model), true); }

bool CliEvents::AcceptOtherModel(const std::string&, const std::string&, const std::string& prompt) {
  refused_other_model = !other_model;
  return Said(prompt, other_model);
}

bool CliEvents::Retry(const TransferFailure& failure) {
  last_failure = failure.cause;
  if (retries > 0) {
    --retries;
    PrintErr(Printf("%s: retrying\n", failure.cause.c_str()));
    return Said(failure.prompt, true);
  }
  return Said(failure.prompt, false);
}

void CliEvents::Error(const std::string& text) { ui_.ShowError(text); }
void CliEvents::Status(const std::string& text) { ui_.SetStatusText(text); }
void CliEvents::Progress(const std::string& text, short range, short position) {
  ui_.BeginProgress(text, range, position);
}
void CliEvents::ProgressEnd() { ui_.EndProgress(); }

}  // namespace kavir::cli
