// The batch job against in-process radios on virtual cables, each port on
// its own virtual clock: radios in turn, ports side by side, other models,
// a stop between radios, and the log each leaves.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <thread>

#include "batch/batch_job.h"
#include "batch/sha256.h"
#include "link/link_test_support.h"
#include "sim/virtual_cable.h"

namespace kavir::test {
namespace {

// A port's transport and clock stay with the test, so the radios can be
// looked at after the job.
class BorrowedTransport : public Transport {
 public:
  explicit BorrowedTransport(Transport& t) : t_(t) {}
  bool Open(int n, const std::string& d, std::string* e) override { return t_.Open(n, d, e); }
  bool IsOpen() const override { return t_.IsOpen(); }
  void Close() override { t_.Close(); }
  std::string DeviceName(int n, const std::string& d) const override { return t_.DeviceName(n, d); }
  void Send(const std::uint8_t* b, std::size_t n) override { t_.Send(b, n); }
  std::vector<std::uint8_t> TakeReceived() override { return t_.TakeReceived(); }
  void WaitReadable(int ms) override { t_.WaitReadable(ms); }

 private:
  Transport& t_;
};

class BorrowedClock : public Clock {
 public:
  explicit BorrowedClock(Clock& c) : c_(c) {}
  std::int64_t NowMs() override { return c_.NowMs(); }
  void SleepMs(int ms) override { c_.SleepMs(ms); }

 private:
  Clock& c_;
};

struct Port {
  sim::VirtualClock clock;
  std::unique_ptr<sim::VirtualCable> cable;
};

// Stops the job once this many radios are done.
struct StopAfter : BatchEvents {
  BatchJob* job = nullptr;
  int radios = 0;
  int waits = 0;
  std::vector<RadioRecord> done;
  void OnWaiting(const std::string&) override { ++waits; }
  void OnRadioDone(const RadioRecord& r) override {
    done.push_back(r);
    if (radios > 0 && static_cast<int>(done.size()) >= radios) job->Stop();
  }
};

struct BatchRig {
  ProgramFolder folder;
  WorkingFiles files = folder.files();
  HeadlessUi ui;
  CKAVIRView view{files, ui};
  BatchSetup setup;
  std::map<std::string, Port> ports;
  BatchLog log;
  std::string log_path = JoinPath(folder.path(), "batch.csv");

  BatchRig() {
    view.OnInitialUpdate(nullptr);
    std::string error;
    auto s = SetupFromScreen(view, &error);
    EXPECT_TRUE(s) << error;
    if (s) setup = *s;
    EXPECT_TRUE(log.Open(log_path, &error)) << error;
  }

  // A cable holding radios of these models in turn, each factory-blank.
  sim::VirtualCable& AddCable(const std::string& label, const std::vector<int>& models,
                              sim::CableOptions options = {}) {
    std::vector<sim::RadioProtocol> radios;
    for (int m : models) radios.emplace_back(sim::RadioImage{}, m);
    Port& p = ports[label];
    p.cable = std::make_unique<sim::VirtualCable>(p.clock, std::move(radios), options);
    return *p.cable;
  }

  BatchSummary Run(int count, bool verify, StopAfter* events = nullptr) {
    std::vector<BatchPort> list;
    for (auto& [label, port] : ports) list.push_back({label, 1, label});
    BatchOptions options;
    options.count = count;
    options.verify = verify;
    BatchJob job(setup, list, options, [this](const BatchPort& p) {
      Port& port = ports.at(p.label);
      return PortIo{std::make_unique<BorrowedTransport>(*port.cable),
                    std::make_unique<BorrowedClock>(port.clock)};
    });
    job.log = &log;
    if (events) {
      events->job = &job;
      job.events = events;
    }
    return job.Run();
  }

  std::vector<std::string> LogLines() const {
    std::ifstream in(log_path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
    }
    return lines;
  }
};

// A CSV line's fields, quotes undone.
std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> out(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char ch = line[i];
    if (quoted && ch == '"' && i + 1 < line.size() && line[i + 1] == '"') out.back() += line[++i];
    else if (ch == '"') quoted = !quoted;
    else if (ch == ',' && !quoted) out.emplace_back();
    else out.back() += ch;
  }
  return out;
}

const sim::RadioImage& AsRadioImage(const Image& image) {
  return reinterpret_cast<const sim::RadioImage&>(image);
}

TEST(BatchJob, WritesEachRadioOnceAndLogsIt) {
  const struct {
    const char* name;
    std::map<std::string, std::vector<int>> cables;  // port -> models in turn
    int count;
    // per port: radios written, then results in the log's order
    std::map<std::string, std::vector<std::string>> results;
  } cases[] = {
      {"three radios on one cable", {{"A", {1, 1, 1}}}, 3,
       {{"A", {"written and verified", "written and verified", "written and verified"}}}},
      {"two cables side by side", {{"A", {1, 1}}, {"B", {1, 1}}}, 2,
       {{"A", {"written and verified", "written and verified"}},
        {"B", {"written and verified", "written and verified"}}}},
      {"another model skipped, not counted", {{"A", {2, 1}}}, 1,
       {{"A", {"skipped: other model", "written and verified"}}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    BatchRig rig;
    for (const auto& [label, models] : c.cables) rig.AddCable(label, models);
    const BatchSummary summary = rig.Run(c.count, true);
    const std::string sha = Sha256Hex(rig.setup.image.data(), rig.setup.image.size());

    std::map<std::string, std::vector<std::string>> logged;
    const auto lines = rig.LogLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], std::string("\xEF\xBB\xBF") + kLogHeader);
    for (std::size_t i = 1; i < lines.size(); ++i) {
      const auto f = Fields(lines[i]);
      ASSERT_EQ(f.size(), 6u) << lines[i];
      logged[f[1]].push_back(f[3]);
      EXPECT_EQ(f[4], f[3] == "written and verified" ? sha : "") << lines[i];
    }
    EXPECT_EQ(logged, c.results);

    for (const auto& [label, models] : c.cables) {
      auto& radios = rig.ports.at(label).cable->cable().radios();
      for (std::size_t i = 0; i < models.size(); ++i) {
        const bool other = models[i] != rig.setup.model;
        EXPECT_EQ(radios[i].completed_writes(), other ? 0 : 1) << label << " radio " << i;
        EXPECT_EQ(radios[i].image() == AsRadioImage(rig.setup.image), !other) << label << " radio " << i;
      }
    }
    const bool skipped = summary.skipped > 0;
    EXPECT_EQ(summary.AllGood(), !skipped);
    EXPECT_FALSE(summary.stopped);
  }
}

TEST(BatchJob, RadioStillAttachedIsNotWrittenAgain) {
  BatchRig rig;
  sim::CableOptions never_unplugged;
  never_unplugged.unplug_after_ms = -1;
  auto& cable = rig.AddCable("A", {1}, never_unplugged);
  // The job waits for this radio to go; it is stopped from outside.
  struct StopLater : StopAfter {
    std::thread stopper;
    void OnRadioDone(const RadioRecord& r) override {
      StopAfter::OnRadioDone(r);
      stopper = std::thread([j = job] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        j->Stop();
      });
    }
  } events;
  const BatchSummary summary = rig.Run(2, false, &events);
  events.stopper.join();
  EXPECT_EQ(cable.cable().radios()[0].completed_writes(), 1);
  EXPECT_EQ(events.done.size(), 1u);
  EXPECT_EQ(events.waits, 1);  // never asked for the next radio
  EXPECT_TRUE(summary.stopped);
}

TEST(BatchJob, VerifyFailureIsLoggedAndTheJobGoesOn) {
  BatchRig rig;
  auto& cable = rig.AddCable("A", {1, 1});
  cable.cable().radios()[0].faults.corrupt_store = 100;
  const BatchSummary summary = rig.Run(1, true);
  EXPECT_EQ(summary.verify_failed, 1);
  EXPECT_EQ(summary.verified, 1);
  EXPECT_FALSE(summary.AllGood());
  const auto lines = rig.LogLines();
  ASSERT_EQ(lines.size(), 3u);
  const auto bad = Fields(lines[1]), good = Fields(lines[2]);
  EXPECT_EQ(bad[3].rfind("verify failed: 1 bytes differ: 0x064", 0), 0u) << lines[1];
  const auto& held = cable.cable().radios()[0].image();
  EXPECT_EQ(bad[4], Sha256Hex(held.data(), held.size()));  // what the radio really holds
  EXPECT_EQ(good[3], "written and verified");
  EXPECT_EQ(good[4], Sha256Hex(rig.setup.image.data(), rig.setup.image.size()));
}

TEST(BatchJob, StopBetweenRadiosLeavesACompleteLog) {
  BatchRig rig;
  auto& cable = rig.AddCable("A", {1, 1, 1, 1});
  StopAfter events;
  events.radios = 2;
  const BatchSummary summary = rig.Run(0, false, &events);
  EXPECT_TRUE(summary.stopped);
  EXPECT_EQ(summary.Radios(), 2);
  EXPECT_EQ(cable.cable().written(), 2);
  const auto lines = rig.LogLines();
  ASSERT_EQ(lines.size(), 3u);  // header and both radios, whole lines
  for (std::size_t i = 1; i < lines.size(); ++i) EXPECT_EQ(Fields(lines[i]).size(), 6u) << lines[i];
}

}  // namespace
}  // namespace kavir::test
