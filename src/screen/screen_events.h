#pragma once
// A transfer's events shown through the screen's user interface: every
// question is a Yes/No box with the prompt's own words, progress is the
// status bar's, the delays spin the pointer.
#include "link/serial_link.h"
#include "link/transfer_events.h"
#include "screen_ui.h"

namespace kavir {

class ScreenEvents : public TransferEvents {
 public:
  explicit ScreenEvents(ScreenUi& ui) : ui_(ui) {}

  bool ConfirmRead(ReadPurpose purpose) override;
  bool ConfirmWrite(const std::string& model) override;
  bool AcceptOtherModel(const std::string& radio_model, const std::string& data_model,
                        const std::string& prompt) override;
  bool Retry(const TransferFailure& failure) override;
  void Error(const std::string& text) override;
  void Status(const std::string& text) override;
  void Progress(const std::string& text, short range, short position) override;
  void ProgressEnd() override;
  void Waiting(int step) override;
  void Refresh() override;

 private:
  ScreenUi& ui_;
};

// Opens the link's start-up port when the screen starts.
class LinkPortStarter : public PortStarter {
 public:
  explicit LinkPortStarter(SerialLink& link) : link_(link) {}
  void OpenStartupPort(const ProgramConfig& config) override {
    link_.set_config(config);
    link_.OpenStartupPort();
  }

 private:
  SerialLink& link_;
};

}  // namespace kavir
