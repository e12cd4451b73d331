// kavir-cli batch --port PORT[,PORT...] FILE [--count N] [--log LOG]
// [--no-verify] [--no-backup] [--force] [--licence LIC]: the same set-up into
// radio after radio, each read first (unless --no-backup) so its log line
// counts what changed; the plan check's errors refuse it unless --force.
#include <atomic>
#include <cstdio>
#include <mutex>

#include "batch/batch_job.h"
#include "batch/native_port_opener.h"
#include "commands.h"
#include "ini/atomic_file.h"
#include "ini/ini_document.h"
#include "interrupts.h"
#include "link/ports/port_records.h"
#include "link/setup_file.h"
#include "link/transfer_summary.h"
#include "link_session.h"
#include "plan_findings.h"
#include "setup_command.h"
#include "terminal_text.h"

namespace kavir::cli {

namespace {

std::atomic<BatchJob*> g_job{nullptr};
std::atomic<int> g_stopped_at_once{0};  // the signal that did it

// Ctrl+C, SIGTERM, SIGHUP: the radios in progress are finished and logged.
void StopAfterRadios(int) {
  if (BatchJob* job = g_job.load()) job->Stop();
  Interrupts::Say(
      "kavir-cli: stopping after the radios in progress (again: at once, and a radio being "
      "written may then hold a mix of old and new settings)\n");
}

// The writes end where they are, and each radio they leave is logged with
// the packets it took; a third signal ends the program as it would have.
void StopAtOnce(int sig) {
  g_stopped_at_once = sig;
  Interrupts::Say(
      "kavir-cli: stopping at once; a radio that was being written may hold a mix of old and "
      "new settings: write it again (the log says which)\n");
  if (BatchJob* job = g_job.load()) job->StopNow();
}

class Printer : public BatchEvents {
 public:
  void OnWaiting(const std::string& port) override { PrintErr(Printf("%s: %s\n", port.c_str(), kConnectNextRadio)); }
  void OnRadioFound(const std::string& port, const std::string& model) override {
    PrintErr(Printf("%s: %s answered\n", port.c_str(), model.c_str()));
  }
  void OnRadioDone(const RadioRecord& r) override {
    const std::string changed = r.changed ? "  " + std::to_string(*r.changed) + " changed" : std::string();
    PrintOut(Printf("%s  %s  %s  %.1f s%s%s%s\n", r.port.c_str(), r.model.c_str(),
                    ResultText(r.outcome, r.reason).c_str(), r.duration_ms / 1000.0, changed.c_str(),
                    r.sha256.empty() ? "" : "  sha256 ", r.sha256.substr(0, 16).c_str()));
  }
  void OnPortError(const std::string& port, const std::string& message) override {
    PrintErr(Printf("kavir-cli: %s: %s\n", port.c_str(), message.c_str()));
  }
};

std::optional<std::vector<BatchPort>> ParsePorts(const std::string& list, std::string* error) {
  std::vector<BatchPort> ports;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = list.find(',', start);
    const std::string item = list.substr(start, comma == std::string::npos ? comma : comma - start);
    auto port = ParsePortArg(item, error);
    if (!port) return std::nullopt;
    // The label goes into every line about the port: a line break stays in it.
    const std::string label = ShownDevice(item);
    for (const BatchPort& p : ports)
      if (p.label == label) {
        *error = "--port names " + label + " twice";
        return std::nullopt;
      }
    ports.push_back({label, port->port_number, port->device});
    if (comma == std::string::npos) return ports;
    start = comma + 1;
  }
}

std::optional<int> ParseCount(const CliArgs& args, std::string* error) {
  auto value = args.Option("count");
  if (!value) return 0;
  bool ok = !value->empty() && value->size() <= 6;
  for (char c : *value) ok = ok && c >= '0' && c <= '9';
  if (!ok || std::stoi(*value) < 1) {
    *error = "--count wants a whole number of radios from 1, not '" + *value + "'";
    return std::nullopt;
  }
  return std::stoi(*value);
}

}  // namespace

int RunBatch(const CliArgs& args) {
  auto port_text = args.Option("port");
  if (!port_text || args.positional.size() != 1) return UsageError("batch");
  std::string error;
  auto ports = ParsePorts(*port_text, &error);
  if (!ports) return Fail(kExitBadInput, error);
  if (const std::string same = SamePortTwice(*ports); !same.empty()) return Fail(kExitBadInput, "--port: " + same);
  auto count = ParseCount(args, &error);
  if (!count) return Fail(kExitBadInput, error);

  SetupCommand command(args.files);
  // Refused before any port is opened, as a single write is.
  if (!command.ListsUsable()) return Fail(kExitBadInput, "nothing written: " + command.OptionListsRefusal());
  // A file that looks meant as an image is named with its size, as opening it does.
  IoStatus read;
  if (const std::string bytes = ReadWholeFile(args.positional[0], &read); read)
    if (const std::string size = ImageSizeRefusal(args.positional[0], bytes); !size.empty())
      return Fail(kExitBadInput, args.positional[0] + ": " + size);
  // A file that could not be read or written is a failure; unusable input is bad input.
  bool io_failed = false;
  auto setup = SetupFromFile(args.positional[0], command.data, &error, &io_failed);
  if (!setup) return Fail(ExitCodeFor(!io_failed), OneLine(error));
  // The plan check, as a single write runs it, on what every radio will
  // hold: its errors refuse the batch before a log is begun; what it finds
  // is listed once the log is open.
  std::optional<PlanFindings> plan;
  if (const std::optional<Setup> planned = setup->Planned()) {
    plan = CheckPlanOf(args, args.positional[0], *planned, setup->data, &error);
    if (!plan) return Fail(kExitBadInput, "nothing written: " + error);
    std::erase_if(plan->findings, [](const Finding& f) { return f.rule == Rule::WriteCheck; });
    if (CountFindings(plan->findings).errors && !args.Flag("force")) {
      PrintFindings(*plan);
      return Fail(kExitFailed, "nothing written: the plan check found errors (listed above); --force writes anyway");
    }
  }

  BatchLog log;
  // A name of our own choosing is never shared with another batch.
  const bool opened = args.Option("log") ? log.Open(*args.Option("log"), &error, &io_failed)
                                         : log.Create(args.files.program_dir, std::time(nullptr), &error, &io_failed);
  if (!opened) return Fail(ExitCodeFor(!io_failed), "log: " + error);
  const std::string log_path = log.path();
  if (plan && !plan->findings.empty()) PrintFindings(*plan);

  std::string warning;
  const IniDocument& kavir_ini = command.data.config.ini();
  const LineSettings line = ReadLineSettings(kavir_ini, &warning);
  ReadTimeouts(kavir_ini, &warning);
  if (!warning.empty()) PrintErr(Printf("kavir-cli: warning: %s\n", warning.c_str()));

  BatchOptions options;
  options.count = *count;
  options.verify = !args.Flag("no-verify");
  options.keep_radio_image = !args.Flag("no-backup");
  BatchJob job(*setup, *ports, options, NativePortOpener(line));
  Printer printer;
  job.log = &log;
  job.events = &printer;
  const std::string radios = *count == 0   ? "every radio on each port"
                             : *count == 1 ? "1 radio per port"
                                           : std::to_string(*count) + " radios per port";
  PrintErr(Printf("kavir-cli: writing %s (%s) into %s; log %s; Ctrl+C stops\n", args.positional[0].c_str(),
                  setup->model_name.c_str(), radios.c_str(), log_path.c_str()));
  BatchSummary s;
  {
    g_job = &job;
    Interrupts interrupts(StopAfterRadios, StopAtOnce);
    s = job.Run();
    g_job = nullptr;
  }

  const bool short_of_count = s.stopped && s.ports_short > 0;
  PrintOut(
      Printf("%d radio%s: %d written and verified, %d written without verify, %d verify failed, "
             "%d skipped (other model), %d failed%s%s\n",
             s.Radios(), s.Radios() == 1 ? "" : "s", s.verified, s.written, s.verify_failed, s.skipped, s.failed,
             s.stopped ? "; stopped" : "",
             s.errors.empty()
                 ? ""
                 : ("; " + std::to_string(s.errors.size()) + " port or log error" + (s.errors.size() == 1 ? "" : "s"))
                       .c_str()));
  // Every port and log error again, so an exit code of 1 is explained here.
  for (const std::string& e : s.errors) PrintOut(Printf("error: %s\n", e.c_str()));
  PrintOut(Printf("log: %s\n", log_path.c_str()));
  // Stopped at once: the status a stop by that signal gives.
  if (const int sig = g_stopped_at_once.load()) return 128 + sig;
  if (!s.AllGood()) return kExitFailed;
  return short_of_count ? kExitStopped : kExitOk;
}

}  // namespace kavir::cli
