#include "radio_commands.h"

#include <QAction>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "command_ids.h"
#include "link/link_settings.h"
#include "link/qt/port_list.h"
#include "link/qt/qt_serial_transport.h"
#include "link/radio_texts.h"
#include "link/transactions.h"
#include "link/transfer_summary.h"
#include "main_frame.h"
#include "port_dialog.h"
#include "profile/ini_document.h"
#include "transfer_guard.h"

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
  // (TransferGuard holds back the input while a transfer runs.)
  link_->idle_hook = [] { QCoreApplication::processEvents(QEventLoop::AllEvents); };
  if (auto* serial = dynamic_cast<QtSerialTransport*>(own_transport_.get())) {
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
  QAction* verify = frame_.action(kCmdVerifyAfterWrite);
  verify->setChecked(ReadVerifyAfterWrite(ReadIniFile(frame_.view().files().kavir_ini)));
  QObject::connect(verify, &QAction::toggled, &frame_, [this](bool on) { OnVerifyAfterWrite(on); });
}

void RadioCommands::OpenStartupPort() { link_->OpenStartupPort(); }

bool RadioCommands::RunPortDialog(PortSettings& settings) {
  PortDialog dialog(settings, AvailablePorts(), &frame_);
  if (dialog.exec() != QDialog::Accepted) return false;
  settings = dialog.settings();
  return true;
}

QPushButton* RadioCommands::cancel_button() const { return guard_ ? guard_->cancel_button() : nullptr; }

void RadioCommands::Run(Kind kind) {
  if (busy_) return;
  busy_ = true;
  const QList<QAction*> guarded = {frame_.action(kCmdRead), frame_.action(kCmdWrite),
                                   frame_.action(kCmdPort)};
  for (QAction* a : guarded) a->setEnabled(false);
  TransferResult result;
  {
    TransferGuard guard(frame_, *link_);
    guard_ = &guard;
    WriteRadioOptions options;
    options.verify = frame_.action(kCmdVerifyAfterWrite)->isChecked();
    result = kind == Kind::Read ? kavir::OnReadRadio(frame_.view(), *link_)
                                : kavir::OnWriteRadio(frame_.view(), *link_, options);
    guard_ = nullptr;
  }
  for (QAction* a : guarded) a->setEnabled(true);
  busy_ = false;
  frame_.RefreshScreen();

  // The end is said in words, then the status line is ready again.
  const std::string summary = kind == Kind::Read
                                  ? ReadSummary(result, link_->report, frame_.view())
                                  : WriteSummary(result, link_->report);
  if (!summary.empty()) {
    const QString text = QString::fromStdString(summary);
    frame_.SetStatusText(text.section(QLatin1Char('\n'), 0, 0));
    QMessageBox box(result == TransferResult::Done ? QMessageBox::Information : QMessageBox::Warning,
                    QString::fromUtf8(kPromptCaption), text, QMessageBox::Ok, &frame_);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.exec();
  }
  frame_.SetStatusText(QStringLiteral("就绪"));
}

void RadioCommands::OnReadRadio() { Run(Kind::Read); }
void RadioCommands::OnWriteRadio() { Run(Kind::Write); }

void RadioCommands::OnVerifyAfterWrite(bool on) {
  const std::string& path = frame_.view().files().kavir_ini;
  // The setting goes into the configuration that is there; none is made up.
  if (!QFileInfo::exists(QString::fromStdString(path))) {
    frame_.ui().ShowError(path + ": 文件不存在, \"写入后校验\" 的设置没有保存", kPromptCaption);
    return;
  }
  IoStatus status;
  IniDocument ini = ReadIniFile(path, &status);
  if (status) {
    SetVerifyAfterWrite(ini, on);
    status = WriteIniFile(path, ini);
  }
  if (!status) frame_.ui().ShowError("\"写入后校验\" 的设置未能保存: " + status.Message(), kPromptCaption);
}

void RadioCommands::OnPortSettings() {
  if (busy_) return;
  link_->OnPortSettings(*this);
}

}  // namespace kavir::app
