// A batch of 4 radios on 4 ports side by side, through the system's serial API
// against kavir-radio-sim paced at 9600 baud. Prints the total time as a
// ratio to one radio's write + verify on its own, and the client's CPU.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

#include "batch/batch_job.h"
#include "batch/native_port_opener.h"
#include "link/native/native_transport.h"
#include "sim_process.h"

using namespace kavir;
namespace fs = std::filesystem;

namespace {

double CpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

double Now() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

std::vector<std::unique_ptr<test::SimProcess>> Sims(const std::string& blank, int n) {
  std::vector<std::unique_ptr<test::SimProcess>> sims;
  for (int i = 0; i < n; ++i)
    sims.push_back(std::make_unique<test::SimProcess>(
        std::vector<std::string>{"--image", blank, "--baud", "9600", "--radios", "1"}));
  return sims;
}

// One radio's write + verify on its own, as the batch does it for each.
double SingleWrite(const BatchSetup& setup, const std::string& blank, bool verify) {
  auto sims = Sims(blank, 1);
  NativeSerialTransport transport;
  SteadyClock clock;
  QuietEvents events;
  SerialLink link(transport, clock, events, setup.files);
  link.device = sims[0]->device();
  link.set_priority = [](ThreadPriority) {};
  link.OpenPort();
  const double start = Now();
  const RadioWriteResult r = WriteRadioImage(link, setup, RadioWriteOptions{verify, false});
  const double took = Now() - start;
  if (r.outcome != (verify ? RadioOutcome::Verified : RadioOutcome::Written))
    std::fprintf(stderr, "single write: %s\n", r.reason.c_str());
  return took;
}

struct BatchRun {
  double seconds = 0, cpu = 0;
  BatchSummary summary;
};

BatchRun Batch(const BatchSetup& setup, const std::string& blank, int ports, bool verify) {
  auto sims = Sims(blank, ports);
  std::vector<BatchPort> list;
  for (auto& s : sims) list.push_back({s->device(), 1, s->device()});
  BatchOptions options;
  options.count = 1;
  options.verify = verify;
  BatchJob job(setup, list, options, NativePortOpener(LineSettings{}));
  BatchRun run;
  const double cpu = CpuSeconds(), start = Now();
  run.summary = job.Run();
  run.seconds = Now() - start;
  run.cpu = CpuSeconds() - cpu;
  return run;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path dir = fs::temp_directory_path() / ("kavir-batch-bench-" + std::to_string(std::random_device{}()));
  fs::create_directories(dir);
  for (const auto& e : fs::directory_iterator(KAVIR_DATA_DIR))
    if (e.is_regular_file()) fs::copy_file(e.path(), dir / e.path().filename());
  const std::string blank = (dir / "blank.bin").string();
  std::ofstream(blank, std::ios::binary) << std::string(768, '\xFF');

  const ProgramData data = ProgramData::Load(WorkingFiles::FromDirectory(dir.string()));
  std::string error;
  auto setup = BatchSetupOf(data.start, data, &error);
  if (!setup) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  const bool verify = argc < 2 || std::string(argv[1]) != "--no-verify";
  const int rounds = 3;
  std::vector<double> single, batch, cpu;
  for (int i = 0; i < rounds; ++i) {
    single.push_back(SingleWrite(*setup, blank, verify));
    const BatchRun run = Batch(*setup, blank, 4, verify);
    if (!run.summary.AllGood() || run.summary.Radios() != 4)
      std::fprintf(stderr, "round %d: %d radios, not all good\n", i + 1, run.summary.Radios());
    batch.push_back(run.seconds);
    cpu.push_back(run.cpu);
  }
  const double one = Median(single), four = Median(batch);
  std::printf("9600 baud, %s, median of %d rounds\n", verify ? "write + verify" : "write only", rounds);
  std::printf("one radio on its own:          %.2f s\n", one);
  std::printf("4 radios on 4 ports side by side: %.2f s  ratio %.3f (goal <= 1.15)\n", four, four / one);
  std::printf("client CPU for the 4 radios:   %.3f s (%.1f %% of one core)\n", Median(cpu), 100.0 * Median(cpu) / four);
  std::error_code ec;
  fs::remove_all(dir, ec);
  return 0;
}
