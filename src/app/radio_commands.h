#pragma once
// The commands that talk to the radio — read, write, port selection — and
// the report commands, wired to the main frame's actions.
#include <functional>
#include <memory>

#include <QString>

#include "batch/batch_job.h"
#include "ini/ini_document.h"
#include "link/serial_link.h"
#include "plan_dialog.h"
#include "screen/radio_transfer.h"
#include "screen/screen_events.h"
#include "worker_thread.h"

class QPushButton;
class QTimer;

namespace kavir::app {

class CMainFrame;
class TransferGuard;

class RadioCommands : public PortStarter, public PortDialogUi {
 public:
  // Without a transport the system's serial port and the steady clock are used.
  RadioCommands(CMainFrame& frame, Transport* transport = nullptr, Clock* clock = nullptr);
  ~RadioCommands() override;

  void Connect();
  void OpenStartupPort(const ProgramConfig& config) override;
  // While the status line says why the port would not open, the port is
  // tried again now and then (and when the window comes back to the front),
  // so a holder that has quit is no longer named.
  void RecheckPort();
  bool RunPortDialog(PortSettings& settings) override;

  void OnReadRadio();
  void OnWriteRadio();
  void OnPortSettings();
  // 工具 → 批量写入...: the batch dialog, modal.
  void OnBatch();
  // The "写入后校验" check item: stored in KAVIR.ini as it changes.
  void OnVerifyAfterWrite(bool on);
  // Stores one of 工具's write switches into KAVIR.ini, or says why not.
  void SaveWriteSwitch(const QString& name, const std::function<void(IniDocument&)>& set);
  // Reads the radio into a screen of its own and lists what differs from
  // the screen on show, which stays as it is.
  void OnCompareRadio();
  // 工具 → 检查: the plan check's findings, with the profile's licence.
  void OnCheckPlan();
  SerialLink& link() { return *link_; }
  // How the batch opens its ports; unset: the system's serial port with the
  // line settings the program's port has at the time.
  PortOpener batch_opener;
  // The transfer's Cancel button; nullptr when no transfer runs, hidden
  // until the transfer is confirmed.
  QPushButton* cancel_button() const;

 private:
  enum class Kind { Read, Write, Compare };
  // The list of what a write changes; true to write.
  bool ReviewChanges(const Setup* radio, const Setup& planned);
  void Run(Kind kind);
  // The plan check before a write (or a batch) of setup: true when no error
  // is found or the user writes anyway.
  bool CheckPlanBeforeWrite(const Setup& setup, const std::string& profile);
  PlanDialog::Check PlanCheck(const Setup& setup, bool leave_out_write_check) const;
  // The plan check of setup with profile's licence; *licence_read (when
  // given) false when it names one that cannot be read.
  std::vector<Finding> CheckWithLicence(const Setup& setup, const std::string& profile, bool* licence_read) const;
  // The licence chosen for a profile ("": the screen that is no file's),
  // and keeping a new choice.
  std::string LicencePath(const std::string& profile) const;
  void KeepLicence(const std::string& profile, const std::string& path);

  CMainFrame& frame_;
  ScreenEvents screen_events_;
  WindowThreadEvents events_;
  TransferThreads threads_;
  std::unique_ptr<Transport> own_transport_;
  std::unique_ptr<Clock> own_clock_;
  std::unique_ptr<SerialLink> link_;
  bool busy_ = false;
  std::string unsaved_licence_;  // for a screen that is no file's
  TransferGuard* guard_ = nullptr;
  QTimer* port_timer_ = nullptr;
  // Starts the rechecks when the status line shows the port's message.
  void WatchPortStatus();
  bool PortMessageShown() const;
};

}  // namespace kavir::app
