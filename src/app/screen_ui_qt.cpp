#include "screen_ui_qt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

#include "key_settings_dialog.h"
#include "main_frame.h"

namespace kavir::app {

QString QtFileFilter(const std::string& filter) {
  // The classic form alternates display names and patterns between bars.
  const QStringList parts = QString::fromUtf8(filter).split(QLatin1Char('|'));
  QStringList names;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    const QString name = parts[i].trimmed();
    if (!name.isEmpty()) names << name;
  }
  return names.join(QStringLiteral(";;"));
}

bool QtScreenUi::AskYesNo(const std::string& text, const std::string& caption) {
  return Ask(text, caption,
             {QCoreApplication::translate("QtScreenUi", "是").toStdString(),
              QCoreApplication::translate("QtScreenUi", "否").toStdString()});
}

bool QtScreenUi::Ask(const std::string& text, const std::string& caption, const Answers& answers) {
  QMessageBox box(QMessageBox::Question, QString::fromUtf8(caption), QString::fromUtf8(text),
                  QMessageBox::Yes | QMessageBox::No, &frame_);
  box.setDefaultButton(answers.yes_is_default ? QMessageBox::Yes : QMessageBox::No);
  box.button(QMessageBox::Yes)->setText(QString::fromStdString(answers.yes) + QStringLiteral("(&Y)"));
  box.button(QMessageBox::No)->setText(QString::fromStdString(answers.no) + QStringLiteral("(&N)"));
  // A prompt during a transaction must show the normal pointer.
  const bool had_wait = wait_cursor_;
  if (had_wait) QApplication::restoreOverrideCursor();
  const bool yes = box.exec() == QMessageBox::Yes;
  if (had_wait) QApplication::setOverrideCursor(Qt::WaitCursor);
  return yes;
}

SaveChoice QtScreenUi::AskSaveChanges(const std::string& text, const std::string& caption) {
  QMessageBox box(QMessageBox::Warning, QString::fromUtf8(caption), QString::fromUtf8(text),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, &frame_);
  box.setObjectName(QStringLiteral("SaveChangesBox"));
  box.button(QMessageBox::Save)->setText(QCoreApplication::translate("QtScreenUi", "保存"));
  box.button(QMessageBox::Discard)->setText(QCoreApplication::translate("QtScreenUi", "不保存"));
  box.button(QMessageBox::Cancel)->setText(QCoreApplication::translate("QtScreenUi", "取消"));
  box.setDefaultButton(QMessageBox::Save);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Save:
      return SaveChoice::Save;
    case QMessageBox::Discard:
      return SaveChoice::Discard;
    default:
      return SaveChoice::Cancel;
  }
}

void QtScreenUi::ShowError(const std::string& text, const std::string& caption) {
  QMessageBox box(QMessageBox::Warning, QString::fromUtf8(caption), QString::fromUtf8(text), QMessageBox::Ok, &frame_);
  box.button(QMessageBox::Ok)->setText(QCoreApplication::translate("QtScreenUi", "确定"));
  box.exec();
}

void QtScreenUi::SetStatusText(const std::string& text) {
  last_status_ = QString::fromUtf8(text);
  frame_.SetStatusText(last_status_);
}

void QtScreenUi::Beep(int frequency_hz, int duration_ms) {
  // The platform bell; a tone generator would need a multimedia library.
  (void)frequency_hz;
  (void)duration_ms;
  ++beep_count_;
  QApplication::beep();
  // The screen sounds the tone only when it refuses an entry, right after
  // putting the reason in the status bar: show that reason at the grid too.
  frame_.ShowRejection(last_status_);
}

void QtScreenUi::BeginProgress(const std::string& text, short range, short position) {
  frame_.BeginProgress(QString::fromUtf8(text), range, position);
}

void QtScreenUi::EndProgress() { frame_.EndProgress(); }

std::string QtScreenUi::RunFileDialog(const FileDialogParams& params, bool save) {
  QFileDialog dialog(
      &frame_,
      save ? QCoreApplication::translate("QtScreenUi", "另存为") : QCoreApplication::translate("QtScreenUi", "打开"),
      frame_.program_directory(), QtFileFilter(params.filter));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(QString::fromUtf8(params.default_extension));
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !params.confirm_overwrite);
  dialog.setLabelText(QFileDialog::Accept, save ? QCoreApplication::translate("QtScreenUi", "保存")
                                                : QCoreApplication::translate("QtScreenUi", "打开"));
  dialog.setLabelText(QFileDialog::Reject, QCoreApplication::translate("QtScreenUi", "取消"));
  // "*.dat" is a pattern, not a name to suggest.
  const QString initial = QString::fromUtf8(params.initial_name);
  if (!initial.contains(QLatin1Char('*'))) dialog.selectFile(initial);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst().toStdString();
}

std::string QtScreenUi::GetOpenFileName(const FileDialogParams& params) { return RunFileDialog(params, false); }

std::string QtScreenUi::GetSaveFileName(const FileDialogParams& params) { return RunFileDialog(params, true); }

void QtScreenUi::Repaint() { frame_.RefreshScreen(); }

void QtScreenUi::SetCursor(Cursor cursor) {
  const bool wait = cursor == Cursor::Wait || cursor == Cursor::AppStarting;
  if (wait && !wait_cursor_) QApplication::setOverrideCursor(Qt::WaitCursor);
  if (!wait && wait_cursor_) QApplication::restoreOverrideCursor();
  wait_cursor_ = wait;
}

void QtScreenUi::Pause(int milliseconds) {
  // Paint and timers go on; clicks and keys wait until the pause is over.
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}

bool QtScreenUi::RunKeySettings(CKeySettingsDlg& dialog) {
  KeySettingsDialog widget(dialog, &frame_);
  return widget.exec() == QDialog::Accepted;
}

}  // namespace kavir::app
