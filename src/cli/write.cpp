// kavir-cli write --port PORT FILE [--retries N] [--force] [--no-verify] [--no-backup]
// [--dry-run] [--licence LIC]: check the plan (its errors refuse the write
// unless --force), keep what the radio holds in backups/, list what the write
// changes, write a profile file into it, then read it back and compare. A radio
// image file (a backup) is restored: its own 768 bytes go out, after the
// check of the settings they decode to.
#include <atomic>
#include <cstdio>

#include "commands.h"
#include "interchange/setup_compare.h"
#include "interrupts.h"
#include "lang/language_core.h"
#include "link/transfer_summary.h"
#include "link/write_setup.h"
#include "link_session.h"
#include "plan_findings.h"
#include "setup_command.h"
#include "terminal_text.h"

namespace kavir::cli {

namespace {

std::atomic<SerialLink*> g_link{nullptr};
std::atomic<int> g_signal{0};

// A radio left with some packets is worse than a write finished: the first
// Ctrl+C (SIGTERM, SIGHUP) lets the write finish, the second stops it.
// Before the first packet nothing is lost by stopping: the first stops.
void FinishTheWrite(int sig) {
  g_signal = sig;
  SerialLink* link = g_link.load();
  if (link && link->RequestCancelBeforeWriting()) {
    Interrupts::Say("kavir-cli: stopping; nothing has been written to the radio\n");
    return;
  }
  Interrupts::Say(
      "kavir-cli: finishing the write so the radio is not left half-written (again: stop at "
      "once, and the radio may then hold a mix of old and new settings)\n");
}

void StopTheWrite(int sig) {
  g_signal = sig;
  if (SerialLink* link = g_link.load()) link->RequestCancel();
}

}  // namespace

int RunWrite(const CliArgs& args) {
  auto port_text = args.Option("port");
  if (!port_text || args.positional.size() != 1) return UsageError("write");
  const bool dry_run = args.Flag("dry-run");
  if (dry_run && args.Flag("no-backup"))
    return Fail(kExitBadInput,
                "--dry-run reads the radio to list what a write would change; it cannot go with --no-backup");
  std::string error;
  auto port = ParsePortArg(*port_text, &error);
  if (!port) return Fail(kExitBadInput, error);
  auto retries = ParseRetries(args, &error);
  if (!retries) return Fail(kExitBadInput, error);

  SetupCommand command(args);
  if (!command.ListsUsable()) return Fail(kExitBadInput, "nothing written: " + command.OptionListsRefusal());
  if (!command.OpenFile(args.positional[0], &error)) return Fail(command.exit_code, error);
  CliUi ui;
  ui.verbose = true;

  LinkSession session(args.files, command.data.config, ui, *port);
  CliEvents& policy = session.events();
  policy.retries = *retries;
  policy.other_model = args.Flag("force");
  if (!session.Open(&error)) return Fail(kExitFailed, error);
  // What the write itself refuses it says below; the rest of the plan check
  // is said here, once the port is known to be there.
  auto plan = CheckPlanOf(args, args.positional[0], command.setup, command.data, &error);
  if (!plan) return Fail(kExitBadInput, "nothing written: " + error);
  std::erase_if(plan->findings, [](const Finding& f) { return f.rule == Rule::WriteCheck; });
  if (!plan->findings.empty()) PrintFindings(*plan);
  if (CountFindings(plan->findings).errors && !args.Flag("force") && !dry_run)
    return Fail(kExitFailed, "nothing written: the plan check found errors (listed above); --force writes anyway");
  WriteRadioOptions options;
  options.verify = !args.Flag("no-verify");
  options.keep_radio_image = !args.Flag("no-backup");
  if (command.opened_image) options.own_bytes = &*command.opened_image;
  // The changes are listed on stdout before anything is sent; a dry run stops there.
  std::optional<std::size_t> changes;
  options.review_changes = [&](const Setup* radio, const Setup& planned) {
    if (!radio) {
      PrintOut(TrText("Cli", "电台中没有可以显示的数据 (可能从未写过), 无法列出改动。") + "\n");
      return !dry_run;
    }
    std::vector<SetupDifference> differences = CompareSetups(*radio, planned);
    for (SetupDifference& d : differences) d.a = lang::ShownOptionText(d.a), d.b = lang::ShownOptionText(d.b);
    changes = differences.size();
    PrintOut(ChangesText(differences));
    return !dry_run;
  };
  WriteImageResult details;
  TransferResult result;
  {
    g_link = &session.link();
    Interrupts interrupts(FinishTheWrite, StopTheWrite);
    SetupHolder holder;
    holder.take = [&] { return command.setup; };
    holder.keep = [&](const Setup& setup) {
      const IoStatus kept = KeepForWrite(args.files, command.data.config, setup);
      if (!kept) policy.Error(KeepFailureText(args.files, kept));
      return kept.ok;
    };
    result = WriteSetup(session.link(), command.data, holder, options, &details);
    if (const std::string status = WrittenStatus(details, options.verify); !status.empty()) ui.SetStatusText(status);
    g_link = nullptr;
  }
  if (dry_run && result == TransferResult::Cancelled) {
    if (!changes) return Fail(kExitFailed, "nothing was written; what the radio holds could not be compared");
    return *changes == 0 ? kExitOk : kExitFailed;  // as diff: 1 when something differs
  }
  if (Interrupts::count() == 1 && result == TransferResult::Done)
    PrintErr(Printf("kavir-cli: stopped after the write was finished: the radio holds all of it\n"));
  if (!details.before_write_backup.empty())
    PrintOut(Printf("the radio's earlier settings: %s\n", details.before_write_backup.c_str()));
  if (!details.radio_identity.empty() && session.link().report.packets_written > 0)
    PrintOut(OneLine(ArgText(TrText("Link", "\n电台自己的%1与配置的不同, 已原样保留。"), {details.radio_identity})) +
             "\n");
  if (result == TransferResult::Done) return kExitOk;
  // Refused before anything was sent: the reasons were printed above.
  if (session.link().report.refused) return Fail(kExitFailed, "nothing was written: the radio is as it was");
  // Stopped before any packet went out: the radio is as it was; the exit
  // status is a stop's (128 + the signal), as the shell gives one.
  if (details.cancelled && !session.link().writing_started() && g_signal.load() != 0) {
    std::fflush(stdout);
    std::fprintf(stderr, "kavir-cli: stopped before the write: %s\n",
                 OneLine(WriteSummary(TransferResult::Failed, session.link().report)).c_str());
    return 128 + g_signal.load();
  }
  // The differences were printed as the write showed them.
  if (details.outcome == WriteOutcome::VerifyDiffers) {
    const std::size_t n = details.verify.differences.size();
    return Fail(kExitFailed, "write failed: " + std::to_string(n) + (n == 1 ? " byte differs" : " bytes differ") +
                                 " from what was sent (listed above); both images are in backups/");
  }
  if (details.outcome == WriteOutcome::NotVerified)
    return Fail(kExitFailed,
                "write not verified: " + OneLine(details.message) + " (--retries N tries the read-back again)");
  if (policy.refused_other_model)
    return Fail(kExitFailed, "the radio is another model than the file; nothing was written (--force writes anyway)");
  // What went wrong, what the radio took and may hold, and where the image is.
  return Fail(kExitFailed,
              "write failed: " + WriteFailureLine(policy.last_failure.empty() ? details.message : policy.last_failure,
                                                  result, session.link().report));
}

}  // namespace kavir::cli
