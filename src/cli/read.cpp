// kavir-cli read --port PORT --out FILE [--retries N]: read a radio and save
// what it holds as a profile file.
#include "commands.h"
#include "link/radio_texts.h"
#include "link/transactions.h"
#include "link/transfer_summary.h"
#include "link_session.h"
#include "setup_command.h"

namespace kavir::cli {

int RunRead(const CliArgs& args) {
  const char* usage = "usage: kavir-cli read --port PORT --out FILE [--retries N]";
  auto port_text = args.Option("port");
  auto out = args.Option("out");
  if (!port_text || !out || out->empty() || !args.positional.empty()) return Fail(kExitBadInput, usage);
  std::string error;
  auto port = ParsePortArg(*port_text, &error);
  if (!port) return Fail(kExitBadInput, error);
  auto retries = ParseRetries(args, &error);
  if (!retries) return Fail(kExitBadInput, error);

  SetupCommand command(args.files);
  // Refused before anything is sent: the read could not be decoded or saved.
  if (!command.ListsUsable()) return Fail(kExitBadInput, "nothing read: " + command.OptionListsRefusal());
  CliUi ui;
  ui.verbose = true;

  LinkSession session(args.files, command.data.config, ui, *port);
  CliEvents& policy = session.events();
  policy.retries = *retries;
  if (!session.Open(&error)) return Fail(kExitFailed, error);
  // The port error is printed once; the transfer below would repeat it.
  const ReadOutcome read = ReadRadio(session.link(), command.data);
  const TransferResult result = read.result;
  // What went wrong without the question that asked about it: the answer
  // was already given.
  if (result != TransferResult::Done)
    return Fail(kExitFailed, "read failed: " + (policy.last_failure.empty() ? std::string("see the messages above")
                                                                            : policy.last_failure));
  ui.SetStatusText(LinkText(kDoneStatus));
  command.ShowRecord(read.record);
  if (!command.SaveAs(*out, &error)) return Fail(kExitFailed, error);  // the radio was read
  return kExitOk;
}

}  // namespace kavir::cli
