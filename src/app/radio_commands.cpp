#include "radio_commands.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "batch/native_port_opener.h"
#include "batch_dialog.h"
#include "changes_dialog.h"
#include "command_ids.h"
#include "compare_dialog.h"
#include "ini/ini_document.h"
#include "lang/language_core.h"
#include "link/link_settings.h"
#include "link/native/native_ports.h"
#include "link/native/native_transport.h"
#include "link/radio_texts.h"
#include "link/transactions.h"
#include "link/transfer_summary.h"
#include "main_frame.h"
#include "plan/licence_choice.h"
#include "plan/plan_check.h"
#include "plan_dialog.h"
#include "port_dialog.h"
#include "screen/kavir_view.h"
#include "screen/radio_transfer.h"
#include "transfer_guard.h"
#include "worker_thread.h"

namespace kavir::app {

RadioCommands::RadioCommands(CMainFrame& frame, Transport* transport, Clock* clock)
    : frame_(frame), screen_events_(frame.ui()), events_(&frame, screen_events_) {
  const WorkingFiles& files = frame.view().files();
  if (!transport) {
    std::string warning;
    own_transport_ = std::make_unique<NativeSerialTransport>(ReadLineSettings(frame.view().config().ini(), &warning));
    transport = own_transport_.get();
  }
  if (!clock) {
    own_clock_ = std::make_unique<SteadyClock>();
    clock = own_clock_.get();
  }
  // The transfers run on a thread of their own; what they say comes to the
  // window's thread (TransferGuard holds back clicks and keys meanwhile).
  link_ = std::make_unique<SerialLink>(*transport, *clock, events_, files);
  threads_.link = [](const std::function<void()>& fn) { RunOffWindowThread(UserInput::Heard, fn); };
  threads_.screen = [this](const std::function<void()>& fn) { RunOnThreadOf(&frame_, fn); };
  // Slow: the check of who holds a port reads the process table.
  port_timer_ = new QTimer(&frame_);
  port_timer_->setInterval(3000);
  QObject::connect(port_timer_, &QTimer::timeout, &frame_, [this] { RecheckPort(); });
  QObject::connect(qApp, &QGuiApplication::applicationStateChanged, &frame_, [this](Qt::ApplicationState state) {
    if (state == Qt::ApplicationActive) RecheckPort();
  });
}

RadioCommands::~RadioCommands() = default;

void RadioCommands::Connect() {
  QObject::connect(frame_.action(kCmdRead), &QAction::triggered, &frame_, [this] { OnReadRadio(); });
  QObject::connect(frame_.action(kCmdWrite), &QAction::triggered, &frame_, [this] { OnWriteRadio(); });
  QObject::connect(frame_.action(kCmdPort), &QAction::triggered, &frame_, [this] { OnPortSettings(); });
  QObject::connect(frame_.action(kCmdCompareRadio), &QAction::triggered, &frame_, [this] { OnCompareRadio(); });
  QObject::connect(frame_.action(kCmdBatch), &QAction::triggered, &frame_, [this] { OnBatch(); });
  QObject::connect(frame_.action(kCmdCheckPlan), &QAction::triggered, &frame_, [this] { OnCheckPlan(); });
  QAction* verify = frame_.action(kCmdVerifyAfterWrite);
  verify->setChecked(ReadVerifyAfterWrite(frame_.view().config().ini()));
  QObject::connect(verify, &QAction::toggled, &frame_, [this](bool on) { OnVerifyAfterWrite(on); });
  QAction* changes = frame_.action(kCmdShowChangesBeforeWrite);
  changes->setChecked(ReadShowChangesBeforeWrite(frame_.view().config().ini()));
  QObject::connect(changes, &QAction::toggled, &frame_, [this](bool on) {
    SaveWriteSwitch(QCoreApplication::translate("RadioCommands", "写入前列出改动"),
                    [on](IniDocument& ini) { SetShowChangesBeforeWrite(ini, on); });
  });
  QAction* keep = frame_.action(kCmdKeepRadioBeforeWrite);
  keep->setChecked(ReadKeepRadioBeforeWrite(frame_.view().config().ini()));
  QObject::connect(keep, &QAction::toggled, &frame_, [this](bool on) {
    SaveWriteSwitch(QCoreApplication::translate("RadioCommands", "写入前备份电台数据"),
                    [on](IniDocument& ini) { SetKeepRadioBeforeWrite(ini, on); });
  });
}

void RadioCommands::OpenStartupPort(const ProgramConfig& config) {
  link_->set_config(config);
  link_->OpenStartupPort();
  WatchPortStatus();
}

bool RadioCommands::PortMessageShown() const {
  const std::string& why = link_->last_open_error();
  return !why.empty() && !link_->transport().IsOpen() &&
         frame_.status_text().trimmed() == QString::fromStdString(LinkText(kPortMissingStatus) + why).trimmed();
}

void RadioCommands::WatchPortStatus() {
  if (PortMessageShown()) port_timer_->start();
}

void RadioCommands::RecheckPort() {
  if (busy_ || QApplication::activeModalWidget()) return;
  if (!PortMessageShown()) return port_timer_->stop();
  const std::string now = link_->RecheckPort();
  if (!now.empty()) frame_.SetStatusText(QString::fromStdString(now));
  if (!PortMessageShown()) port_timer_->stop();
}

bool RadioCommands::RunPortDialog(PortSettings& settings) {
  const IniDocument& kavir_ini = frame_.view().config().ini();
  const std::string configured =
      settings.device.empty() ? link_->transport().DeviceName(settings.port_number, "") : settings.device;
  PortDialog dialog(settings, NativeAvailablePorts(configured), &frame_, ReadLineSettings(kavir_ini),
                    [kavir_ini](int n) { return kavir_ini.GetString("Type", std::to_string(n), "", 20); });
  if (dialog.exec() != QDialog::Accepted) return false;
  settings = dialog.settings();
  return true;
}

QPushButton* RadioCommands::cancel_button() const { return guard_ ? guard_->cancel_button() : nullptr; }

void RadioCommands::Run(Kind kind) {
  if (busy_) return;
  CKAVIRView& view = frame_.view();
  // A read replaces the screen: unsaved work is asked about first.
  if (kind == Kind::Read && !view.document().ConfirmDiscardChanges()) return;
  if (kind == Kind::Write && !CheckPlanBeforeWrite(view.setup(), view.document().current_file_name)) return;
  busy_ = true;
  const QList<QAction*> guarded = {frame_.action(kCmdRead), frame_.action(kCmdWrite), frame_.action(kCmdPort)};
  for (QAction* a : guarded) a->setEnabled(false);
  TransferResult result = TransferResult::Failed;
  // Compare reads into a screen model of its own; the one on show stays as it is.
  CKAVIRView radio(frame_.view().files(), frame_.ui(), frame_.view().config());
  if (kind == Kind::Compare) radio.OnInitialUpdate(nullptr);
  {
    TransferGuard guard(frame_, *link_);
    guard_ = &guard;
    events_.on_confirmed = [&guard] { guard.Started(); };
    WriteRadioOptions options;
    options.verify = frame_.action(kCmdVerifyAfterWrite)->isChecked();
    options.keep_radio_image = frame_.action(kCmdKeepRadioBeforeWrite)->isChecked();
    if (frame_.action(kCmdShowChangesBeforeWrite)->isChecked())
      options.review_changes = [this](const Setup* radio, const Setup& planned) {
        return ReviewChanges(radio, planned);
      };
    if (kind == Kind::Compare) {
      result = kavir::OnReadRadio(radio, *link_, threads_, ReadPurpose::Compare);
    } else {
      // A read is one step that undo takes back.
      view.RecordStep([&] {
        result = kind == Kind::Read ? kavir::OnReadRadio(view, *link_, threads_)
                                    : kavir::OnWriteRadio(view, *link_, options, nullptr, threads_);
        // The screen now shows the radio, not the file it was opened from.
        if (kind == Kind::Read && result == TransferResult::Done) view.document().current_file_name.clear();
      });
    }
    events_.on_confirmed = nullptr;
    guard_ = nullptr;
  }
  if (kind == Kind::Read && result == TransferResult::Done) view.MarkClean();
  for (QAction* a : guarded) a->setEnabled(true);
  busy_ = false;
  frame_.RefreshScreen();

  // The end is said in words, then the status line is ready again.
  if (kind == Kind::Compare && result == TransferResult::Done) {
    CompareDialog dialog(CompareSetups(frame_.view().setup(), radio.setup()),
                         QCoreApplication::translate("RadioCommands", "电台"), &frame_);
    dialog.exec();
    frame_.SetStatusText(QCoreApplication::translate("RadioCommands", "就绪"));
    return;
  }
  const std::string summary =
      kind == Kind::Write ? WriteSummary(result, link_->report)
                          : ReadSummary(result, link_->report, (kind == Kind::Read ? frame_.view() : radio).setup(),
                                        (kind == Kind::Read ? frame_.view() : radio).current_model_name);
  const QString text = QString::fromStdString(summary);
  const QString first_line = text.section(QLatin1Char('\n'), 0, 0);
  // A difference found by the verify was shown with every byte already: one box per event.
  const bool shown = kind == Kind::Write && link_->report.verify == TransferReport::Verify::Differs;
  if (!summary.empty() && !shown) {
    frame_.SetStatusText(first_line);
    QMessageBox box(result == TransferResult::Done ? QMessageBox::Information : QMessageBox::Warning,
                    QString::fromStdString(LinkText(kPromptCaption)), text, QMessageBox::Ok, &frame_);
    box.button(QMessageBox::Ok)->setText(QCoreApplication::translate("RadioCommands", "确定"));
    box.exec();
  }
  // A failure stays in the status line until the next action; success is over.
  frame_.SetStatusText(result == TransferResult::Failed && !summary.empty()
                           ? first_line
                           : QCoreApplication::translate("RadioCommands", "就绪"));
}

bool RadioCommands::ReviewChanges(const Setup* radio, const Setup& planned) {
  std::vector<SetupDifference> differences = radio ? CompareSetups(*radio, planned) : std::vector<SetupDifference>{};
  for (SetupDifference& d : differences) d.a = lang::ShownOptionText(d.a), d.b = lang::ShownOptionText(d.b);
  // The plan check's warnings come with the changes; its errors were asked about before.
  std::vector<Finding> warnings = CheckWithLicence(planned, frame_.view().document().current_file_name, nullptr);
  std::erase_if(warnings, [](const Finding& f) { return f.severity != Severity::Warning; });
  ChangesDialog dialog(differences, radio != nullptr, warnings, &frame_);
  const bool write = dialog.exec() == QDialog::Accepted;
  if (dialog.dont_show_again()) frame_.action(kCmdShowChangesBeforeWrite)->setChecked(false);
  return write;
}

std::string RadioCommands::LicencePath(const std::string& profile) const {
  if (profile.empty()) return unsaved_licence_;
  return RememberedLicence(frame_.view().config().ini(), profile);
}

void RadioCommands::KeepLicence(const std::string& profile, const std::string& path) {
  // A screen not from a file has no profile to keep it for: it lasts as long as the program.
  if (profile.empty()) {
    unsaved_licence_ = path;
    return;
  }
  bool kept = true;
  SaveWriteSwitch(QCoreApplication::translate("RadioCommands", "许可证"),
                  [&](IniDocument& ini) { kept = RememberLicence(ini, profile, path); });
  if (!kept)
    frame_.ui().ShowError(QCoreApplication::translate("RadioCommands", "这个文件名不能用来记住许可证: %1")
                              .arg(QString::fromStdString(profile))
                              .toStdString(),
                          LinkText(kPromptCaption));
}

PlanDialog::Check RadioCommands::PlanCheck(const Setup& setup, bool leave_out_write_check) const {
  return [setup, lists = frame_.view().channel_lists, leave_out_write_check](const Licence* licence) {
    std::vector<Finding> findings = CheckPlan(setup, lists, licence);
    if (leave_out_write_check) std::erase_if(findings, [](const Finding& f) { return f.rule == Rule::WriteCheck; });
    return findings;
  };
}

void RadioCommands::OnCheckPlan() {
  if (busy_) return;
  const std::string profile = frame_.view().document().current_file_name;
  PlanDialog dialog(PlanDialog::Purpose::Look, PlanCheck(frame_.view().setup(), false), LicencePath(profile), &frame_);
  dialog.exec();
  if (dialog.licence_changed()) KeepLicence(profile, dialog.licence_path());
}

std::vector<Finding> RadioCommands::CheckWithLicence(const Setup& setup, const std::string& profile,
                                                     bool* licence_read) const {
  const std::string path = LicencePath(profile);
  std::optional<Licence> licence;
  if (!path.empty()) licence = LoadLicenceFile(path, nullptr);
  if (licence_read) *licence_read = path.empty() || licence;
  return CheckPlan(setup, frame_.view().channel_lists, licence ? &*licence : nullptr);
}

bool RadioCommands::CheckPlanBeforeWrite(const Setup& setup, const std::string& profile) {
  bool licence_read = true;
  std::vector<Finding> findings = CheckWithLicence(setup, profile, &licence_read);
  // What the write itself refuses it says in its own words. Warnings alone
  // do not stop a write (the list of changes shows them); a licence that
  // cannot be read is said even when nothing else is found.
  std::erase_if(findings, [](const Finding& f) { return f.rule == Rule::WriteCheck; });
  if (licence_read && CountFindings(findings).errors == 0) return true;
  PlanDialog dialog(PlanDialog::Purpose::BeforeWrite, PlanCheck(setup, true), LicencePath(profile), &frame_);
  const bool write = dialog.exec() == QDialog::Accepted;
  if (dialog.licence_changed()) KeepLicence(profile, dialog.licence_path());
  return write;
}

void RadioCommands::OnReadRadio() { Run(Kind::Read); }
void RadioCommands::OnWriteRadio() { Run(Kind::Write); }
void RadioCommands::OnCompareRadio() { Run(Kind::Compare); }

void RadioCommands::OnBatch() {
  PortOpener opener = batch_opener;
  if (auto* serial = dynamic_cast<NativeSerialTransport*>(own_transport_.get()); serial && !opener)
    opener = NativePortOpener(serial->line_settings());
  if (busy_ || !opener) return;
  busy_ = true;
  // The batch opens the ports itself, this one among them.
  link_->transport().Close();
  const QString port =
      link_->device.empty() ? QString::number(link_->port_number) : QString::fromStdString(link_->device);
  BatchDialog dialog(frame_.view(), opener, port, &frame_);
  dialog.check_plan = [this](const Setup& planned, const std::string& profile) {
    return CheckPlanBeforeWrite(planned, profile);
  };
  dialog.exec();
  busy_ = false;
  link_->OpenPort();
}

void RadioCommands::OnVerifyAfterWrite(bool on) {
  SaveWriteSwitch(QCoreApplication::translate("RadioCommands", "写入后校验"),
                  [on](IniDocument& ini) { SetVerifyAfterWrite(ini, on); });
}

void RadioCommands::SaveWriteSwitch(const QString& name, const std::function<void(IniDocument&)>& set) {
  const std::string& path = frame_.view().files().kavir_ini;
  const std::string quoted = "\"" + name.toStdString() + "\"";
  // The setting goes into the configuration that is there; none is made up.
  if (!QFileInfo::exists(QString::fromStdString(path))) {
    frame_.ui().ShowError(QCoreApplication::translate("RadioCommands", "%1: 文件不存在, %2 的设置没有保存")
                              .arg(QString::fromStdString(path), QString::fromStdString(quoted))
                              .toStdString(),
                          LinkText(kPromptCaption));
    return;
  }
  const IoStatus status = frame_.view().config().Change(set);
  if (!status)
    frame_.ui().ShowError(QCoreApplication::translate("RadioCommands", "%1 的设置未能保存: %2")
                              .arg(QString::fromStdString(quoted), QString::fromStdString(status.Message()))
                              .toStdString(),
                          LinkText(kPromptCaption));
}

void RadioCommands::OnPortSettings() {
  if (busy_) return;
  link_->OnPortSettings(*this, frame_.view().config());
  WatchPortStatus();
}

}  // namespace kavir::app
