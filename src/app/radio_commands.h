#pragma once
// The commands that talk to the radio — read, write, port selection — and
// the report commands, wired to the main frame's actions.
#include <memory>

#include "batch/batch_job.h"
#include "link/serial_link.h"

namespace kavir::app {

class CMainFrame;

class RadioCommands : public PortStarter, public PortDialogUi {
 public:
  // Without a transport the Qt serial port and the steady clock are used.
  RadioCommands(CMainFrame& frame, Transport* transport = nullptr, Clock* clock = nullptr);
  ~RadioCommands() override;

  void Connect();
  void OpenStartupPort() override;
  bool RunPortDialog(int& port_number, std::string& device) override;

  void OnReadRadio();
  void OnWriteRadio();
  void OnPortSettings();
  // 工具 → 批量写入...: the batch dialog, modal.
  void OnBatch();
  SerialLink& link() { return *link_; }
  // How the batch opens its ports; the Qt serial port unless a test sets it.
  PortOpener batch_opener;

 private:
  enum class Kind { Read, Write };
  void Run(Kind kind);

  CMainFrame& frame_;
  std::unique_ptr<Transport> own_transport_;
  std::unique_ptr<Clock> own_clock_;
  std::unique_ptr<SerialLink> link_;
  bool busy_ = false;
};

}  // namespace kavir::app
