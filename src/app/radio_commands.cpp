#include "radio_commands.h"

#include <QAction>
#include <QCoreApplication>
#include <QEventLoop>

#include "batch/qt/qt_port_opener.h"
#include "batch_dialog.h"
#include "command_ids.h"
#include "link/link_settings.h"
#include "link/qt/port_list.h"
#include "link/qt/qt_serial_transport.h"
#include "link/transactions.h"
#include "main_frame.h"
#include "port_dialog.h"
#include "profile/ini_document.h"

namespace kavir::app {

RadioCommands::RadioCommands(CMainFrame& frame, Transport* transport, Clock* clock)
    : frame_(frame) {
  const WorkingFiles& files = frame.view().files();
  if (!transport) {
    const IniDocument kavir_ini = ReadIniFile(files.kavir_ini);
    std::string warning;
    auto serial = std::make_unique<QtSerialTransport>(ReadLineSettings(kavir_ini, &warning));
    own_transport_ = std::move(serial);
    transport = own_transport_.get();
  }
  if (!clock) {
    own_clock_ = std::make_unique<SteadyClock>();
    clock = own_clock_.get();
  }
  link_ = std::make_unique<SerialLink>(*transport, *clock, frame.ui(), files);
  // While a transfer waits, the window repaints and the clock runs; clicks
  // and keys wait until the transfer is over.
  link_->idle_hook = [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); };
  if (auto* serial = dynamic_cast<QtSerialTransport*>(own_transport_.get())) {
    batch_opener = QtPortOpener(serial->line_settings());
    serial->receive_handler = [this] {
      if (!busy_) link_->OnComm();
    };
  }
}

RadioCommands::~RadioCommands() = default;

void RadioCommands::Connect() {
  QObject::connect(frame_.action(kCmdRead), &QAction::triggered, &frame_, [this] { OnReadRadio(); });
  QObject::connect(frame_.action(kCmdWrite), &QAction::triggered, &frame_, [this] { OnWriteRadio(); });
  QObject::connect(frame_.action(kCmdPort), &QAction::triggered, &frame_, [this] { OnPortSettings(); });
  QObject::connect(frame_.action(kCmdBatch), &QAction::triggered, &frame_, [this] { OnBatch(); });
}

void RadioCommands::OpenStartupPort() { link_->OpenStartupPort(); }

bool RadioCommands::RunPortDialog(int& port_number, std::string& device) {
  PortDialog dialog(port_number, device, AvailablePorts(), &frame_);
  if (dialog.exec() != QDialog::Accepted) return false;
  port_number = dialog.port_number();
  device = dialog.device();
  return true;
}

void RadioCommands::Run(Kind kind) {
  if (busy_) return;
  busy_ = true;
  const QList<QAction*> guarded = {frame_.action(kCmdRead), frame_.action(kCmdWrite),
                                   frame_.action(kCmdPort)};
  for (QAction* a : guarded) a->setEnabled(false);
  if (kind == Kind::Read) kavir::OnReadRadio(frame_.view(), *link_);
  else kavir::OnWriteRadio(frame_.view(), *link_);
  for (QAction* a : guarded) a->setEnabled(true);
  busy_ = false;
  frame_.RefreshScreen();
}

void RadioCommands::OnReadRadio() { Run(Kind::Read); }
void RadioCommands::OnWriteRadio() { Run(Kind::Write); }

void RadioCommands::OnBatch() {
  if (busy_ || !batch_opener) return;
  busy_ = true;
  // The batch opens the ports itself, this one among them.
  link_->transport().Close();
  const QString port = link_->device.empty() ? QString::number(link_->port_number)
                                             : QString::fromStdString(link_->device);
  BatchDialog dialog(frame_.view(), batch_opener, port, &frame_);
  dialog.exec();
  busy_ = false;
  link_->OpenPort();
}

void RadioCommands::OnPortSettings() {
  if (busy_) return;
  link_->OnPortSettings(*this);
}

}  // namespace kavir::app
