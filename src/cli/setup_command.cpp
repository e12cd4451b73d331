#include "setup_command.h"

#include <filesystem>
#include <iostream>
#include <system_error>

#include "cli_args.h"
#include "ini/atomic_file.h"
#include "ini/file_path.h"
#include "ini/gbk.h"
#include "ini/translate.h"
#include "link/setup_file.h"
#include "link/transfer_summary.h"
#include "link_session.h"
#include "setup/profile_file.h"
#include "setup/profile_keys.h"
#include "setup/profile_setup.h"

namespace kavir::cli {

namespace {

void Warn(const std::string& text) { std::cerr << "kavir-cli: warning: " << OneLine(text) << "\n"; }

}  // namespace

SetupCommand::SetupCommand(const WorkingFiles& files) : SetupCommand(ProgramData::Load(files)) {}

SetupCommand::SetupCommand(ProgramData program) : data(std::move(program)), setup(data.start) {
  // Without KAVIR.ini's option lists every command refuses, saying why
  // (OptionListsRefusal); a missing QTDQT.ini leaves only its lists empty.
  std::error_code ec;
  if (!std::filesystem::exists(PathFromUtf8(data.files.qtdqt_ini), ec))
    std::cerr << "kavir-cli: warning: " << data.files.qtdqt_ini
              << " is missing, so its option lists are empty (use --dir to name the program directory)\n";
  // The start goes on without a model file it could not read: say so.
  if (ListsUsable() && !data.start_status) Warn(TrText("Screen", "无法读取文件 ") + UserMessage(data.start_status));
}

SetupCommand::SetupCommand(const CliArgs& args) : SetupCommand(args.files) {
  model_option = args.Option("model").value_or("");
  force_model = args.Flag("force");
}

std::string SetupCommand::OptionListsRefusal() const {
  const IoStatus& lists = data.lists_status;
  if (lists.ok) return {};
  return lists.path + " " + lists.reason +
         ": without its option lists no set-up can be shown, saved, written or read (put the program's "
         "KAVIR.ini there, or name the program directory with --dir)";
}

bool SetupCommand::OpenFile(const std::string& path, std::string* error) {
  exit_code = kExitBadInput;
  // Every value would come out blank.
  if (!ListsUsable()) {
    *error = path + " not opened: " + OptionListsRefusal();
    return false;
  }
  std::string reason;
  switch (KindOfFile(path, &reason)) {
    case FileKind::Missing:
      *error = path + ": no such file";
      return false;
    case FileKind::Folder:
      *error = path + ": is a folder, not a profile file";
      return false;
    case FileKind::Unreachable:
      *error = path + ": " + reason;
      return false;
    case FileKind::Regular:
    case FileKind::Other:
      break;
  }
  int model = 0;
  if (!model_option.empty()) {
    const int types = static_cast<int>(data.models().size());
    model = LeadingInt(model_option, 0);
    if (std::to_string(model) != model_option || model < 1 || model > types) {
      *error = "--model must be a model number from 1 to " + std::to_string(types) + " of " + data.files.kavir_ini +
               " (got '" + model_option + "')";
      return false;
    }
  }
  const SetupFile file = ReadSetupFile(path, model, nullptr, data, force_model);
  if (!file.status || !file.record) {
    *error = OneLine(file.message.empty() ? file.status.Message() : file.message);
    if (file.image && !force_model) *error += " (--model N --force opens it as model N)";
    // An image's model is the caller's to name; anything else as the file said.
    if (!file.image) exit_code = ExitCodeFor(file.status.bad_input);
    return false;
  }
  setup = data.Resolve(*file.record);
  file_name = path;
  opened_image = file.image_bytes;
  if (file.image) return true;

  // Opened as it is, but nothing that may show or go in wrong is kept quiet.
  const IniDocument doc = ReadIniFile(path);
  std::vector<std::string> warnings;
  if (const int line = doc.undecodable_line(); line > 0)
    warnings.push_back(ArgText(TrText("Screen", "第 %1 行的字节既不是 UTF-8 也不是 GBK 文字, 其中的值可能显示不对。"),
                               {std::to_string(line)}));
  for (std::string& p : FrequencyTextProblems(setup)) warnings.push_back(std::move(p));
  if (!warnings.empty()) {
    std::string text = ArgText(TrText("Screen", "已打开 %1, 但:"), {path});
    for (const std::string& w : warnings) text += "\n" + w;
    Warn(text);
  }
  // A load keeps 19 bytes of a value; say which ones lost the rest.
  for (const LongValue& v : LongProfileValues(doc))
    std::cerr << "kavir-cli: warning: " << path << ": " << v.key << " is " << GbkLength(v.value)
              << " bytes long; only the first " << kValueBuffer - 1 << " are kept (\""
              << ClipToGbkBytes(v.value, kValueBuffer - 1) << "\"), so saving this file shortens it\n";
  return true;
}

void SetupCommand::ShowRecord(const Setup& record) { setup = data.Resolve(record); }

bool SetupCommand::SaveAs(const std::string& path, std::string* error) {
  exit_code = kExitBadInput;
  if (path.empty()) {
    *error = "no output file name given";
    return false;
  }
  if (!ListsUsable()) {
    *error = "nothing saved: " + OptionListsRefusal();
    return false;
  }
  // Clearing and storing are one write, so a failed save leaves the old file whole.
  const IoStatus saved = SaveSetupRecord(path, setup);
  const IoStatus model = RememberModel(data.config, setup.model());
  if (saved && model) return true;
  // Every file that failed, the profile and KAVIR.ini's PreviousType alike.
  error->clear();
  if (!saved) *error = OneLine(TrText("Screen", "无法保存文件 ") + UserMessage(saved));
  if (!model)
    *error += (error->empty() ? "" : "; ") + OneLine(TrText("Screen", "无法保存机器型号 ") + UserMessage(model));
  const IoStatus& failed = saved ? model : saved;
  exit_code = ExitCodeFor(failed.bad_input);
  return false;
}

}  // namespace kavir::cli
