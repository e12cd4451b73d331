// The batch job against in-process radios on virtual cables, each port on
// its own virtual clock: radios in turn, ports side by side, other models,
// a stop between radios, a failed verify, a radio left attached, and the
// log each leaves.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <thread>

#include "batch/batch_job.h"
#include "batch/sha256.h"
#include "interchange/csv_table.h"
#include "program_files.h"
#include "sim/virtual_cable.h"
#if defined(KAVIR_DISK_FAULTS)
#include "system_faults.h"
#endif

namespace kavir::test {
namespace {

// A port's transport and clock stay with the test, so the radios can be
// looked at after the job.
// A device that goes away after `vanish_after` frames closes and never opens again.
class BorrowedTransport : public Transport {
 public:
  explicit BorrowedTransport(Transport& t, int vanish_after = 0) : t_(t), left_(vanish_after) {}
  bool Open(int n, const std::string& d, std::string* e) override {
    if (gone_) *e = "no such device";
    return !gone_ && t_.Open(n, d, e);
  }
  bool IsOpen() const override { return !gone_ && t_.IsOpen(); }
  void Close() override { t_.Close(); }
  std::string DeviceName(int n, const std::string& d) const override { return t_.DeviceName(n, d); }
  void Send(const std::uint8_t* b, std::size_t n) override {
    gone_ = gone_ || (left_ > 0 && --left_ == 0);
    if (!gone_) t_.Send(b, n);
  }
  std::vector<std::uint8_t> TakeReceived() override { return gone_ ? std::vector<std::uint8_t>{} : t_.TakeReceived(); }
  void WaitReadable(int ms) override { t_.WaitReadable(ms); }

 private:
  Transport& t_;
  int left_;
  bool gone_ = false;
};

class BorrowedClock : public Clock {
 public:
  explicit BorrowedClock(Clock& c) : c_(c) {}
  std::int64_t NowMs() override { return c_.NowMs(); }
  void SleepMs(int ms) override { c_.SleepMs(ms); }

 private:
  Clock& c_;
};

// Stops the job once this many radios are done: at once, or from outside
// while the job waits for the last of them to go.
struct StopAfter : BatchEvents {
  BatchJob* job = nullptr;
  int radios = 0, waits = 0, done = 0;
  bool from_outside = false;
  std::thread stopper;
  ~StopAfter() {
    if (stopper.joinable()) stopper.join();
  }
  void OnWaiting(const std::string&) override { ++waits; }
  void OnRadioDone(const RadioRecord&) override {
    if (++done != radios) return;
    if (!from_outside) return job->Stop();
    stopper = std::thread([j = job] {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      j->Stop();
    });
  }
};

// The shipped start-up set-up ready for a batch, and a log open in its folder.
struct BatchStart {
  ShippedDir dir;
  std::string error;
  ProgramData data = ProgramData::Load(dir.files);
  std::optional<BatchSetup> setup = BatchSetupOf(data.start, data, &error);
  BatchLog log;
  std::string log_path = dir.dir.File("batch.csv");
  bool log_open = log.Open(log_path, &error);
};

// The shipped start-up set-up written by a job into factory-blank radios.
TEST(BatchJob, WritesEachRadioOnceWithALogLineForIt) {
  const std::string ok = "written and verified";
  const struct {
    const char* name;
    std::map<std::string, std::vector<int>> cables;  // port -> models of the radios in turn
    int count, stop_after, corrupt_first;
    bool left_attached;  // the radios are never unplugged; the job is stopped from outside
    std::map<std::string, std::vector<std::string>> results;  // per port, in turn (the start of each)
    int vanish_after = 0;                                     // port A's device goes away at this frame
    const char* error = "";                                   // in the summary
  } cases[] = {
      {"three radios on one cable", {{"A", {1, 1, 1}}}, 3, 0, 0, false, {{"A", {ok, ok, ok}}}},
      {"two cables side by side", {{"A", {1, 1}}, {"B", {1, 1}}}, 2, 0, 0, false, {{"A", {ok, ok}}, {"B", {ok, ok}}}},
      {"another model skipped, not counted", {{"A", {2, 1}}}, 1, 0, 0, false, {{"A", {"skipped: other model", ok}}}},
      {"stopped between radios", {{"A", {1, 1, 1, 1}}}, 0, 2, 0, false, {{"A", {ok, ok}}}},
      {"a failed verify, the job goes on",
       {{"A", {1, 1}}},
       1,
       0,
       100,
       false,
       {{"A", {"verify failed: 1 byte differs: 0x064", ok}}}},
      {"a radio still attached is not written again", {{"A", {1}}}, 2, 1, 0, true, {{"A", {ok}}}},
      // The poll, the write's handshake and 8 packets; then the cable is pulled.
      {"the device goes away mid-write",
       {{"A", {1, 1}}, {"B", {1}}},
       1,
       0,
       0,
       false,
       {{"A",
         {"failed: 串口在传输中断开了 (编程线被拔出或设备已不存在): no such device 传输第 09 "
          "个数据包时发生通讯错误/超时连接; "
          "写入没有完成：电台只收下了 8 / 48 个数据包"}},
        {"B", {ok}}},
       11,
       "A: the device went away and does not open again (no such device): no more radios on this port"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    BatchStart start;
    ASSERT_TRUE(start.setup) << start.error;
    ASSERT_TRUE(start.log_open) << start.error;
    struct Port {
      sim::VirtualClock clock;
      std::unique_ptr<sim::VirtualCable> cable;
    };
    std::map<std::string, Port> ports;
    std::vector<BatchPort> list;
    sim::CableOptions unplugging;
    if (c.left_attached) unplugging.unplug_after_ms = -1;
    for (const auto& [label, models] : c.cables) {
      std::vector<sim::RadioProtocol> radios;
      for (int m : models) radios.emplace_back(sim::RadioImage{}, m);
      Port& p = ports[label];
      p.cable = std::make_unique<sim::VirtualCable>(p.clock, std::move(radios), unplugging);
      list.push_back({label, 1, label});
    }
    if (c.corrupt_first) ports.at("A").cable->cable().radios()[0].faults.corrupt_store = c.corrupt_first;
    BatchOptions options;
    options.count = c.count;
    BatchJob job(*start.setup, list, options, [&](const BatchPort& p) {
      Port& port = ports.at(p.label);
      return PortIo{std::make_unique<BorrowedTransport>(*port.cable, p.label == "A" ? c.vanish_after : 0),
                    std::make_unique<BorrowedClock>(port.clock)};
    });
    StopAfter events;
    events.job = &job;
    events.radios = c.stop_after;
    events.from_outside = c.left_attached;
    job.log = &start.log;
    job.events = &events;
    const BatchSummary summary = job.Run();
    EXPECT_TRUE(!c.left_attached || events.waits == 1) << "asked for the next radio while one is attached";
    EXPECT_EQ(summary.stopped, c.stop_after > 0);
    EXPECT_EQ(summary.errors, *c.error ? std::vector<std::string>{c.error} : std::vector<std::string>{});
    EXPECT_EQ(summary.ports_short, c.count > 0 && (c.stop_after > 0 || c.vanish_after > 0) ? 1 : 0);

    // The log: its header, then whole lines of seven cells, by port in turn
    // (the count of changes empty: the radios were not read first).
    const std::string bytes = ReadBytes(start.log_path);
    EXPECT_EQ(bytes.rfind(std::string("\xEF\xBB\xBF") + kLogHeader + "\r\n", 0), 0u);
    const CsvText csv = ParseCsvText(bytes);
    ASSERT_EQ(csv.error, "");
    std::map<std::string, std::vector<std::vector<std::string>>> logged;
    for (std::size_t i = 1; i < csv.records.size(); ++i) {
      ASSERT_EQ(csv.records[i].cells.size(), 7u) << csv.records[i].line;
      EXPECT_EQ(csv.records[i].cells[6], "");
      logged[csv.records[i].cells[1]].push_back(csv.records[i].cells);
    }
    bool all_ok = true;
    for (const auto& [label, results] : c.results) {
      const auto& radios = ports.at(label).cable->cable().radios();
      ASSERT_EQ(logged[label].size(), results.size()) << label;
      for (std::size_t i = 0; i < radios.size(); ++i) {
        const bool reached = i < results.size();
        const std::string result = reached ? logged[label][i][3] : "", sha = reached ? logged[label][i][4] : "";
        EXPECT_EQ(result.rfind(reached ? results[i] : "", 0), 0u) << result;
        const bool written = result == ok, failed = result.rfind("verify failed", 0) == 0;
        all_ok = all_ok && (written || !reached);
        EXPECT_EQ(radios[i].completed_writes(), written || failed ? 1 : 0) << label << " radio " << i;
        EXPECT_EQ(radios[i].image() == reinterpret_cast<const sim::RadioImage&>(start.setup->image), written);
        // The log's fingerprint is of what the radio really holds.
        const auto& held = radios[i].image();
        EXPECT_EQ(sha, written || failed ? Sha256Hex(held.data(), held.size()) : "");
      }
    }
    EXPECT_EQ(summary.AllGood(), all_ok);
  }
}

// Read first, each radio's log line counts the settings its write changed:
// none where the radio held the set-up already, two where it differed in two.
TEST(BatchJob, ReadingFirstCountsTheSettingsEachWriteChanged) {
  BatchStart start;
  ASSERT_TRUE(start.setup) << start.error;
  ASSERT_TRUE(start.log_open) << start.error;
  kavir::Setup other = start.data.start;
  for (const auto& [from, to] : {std::pair{1, 3}, std::pair{2, 4}}) {
    ASSERT_NE(other.channel(to)[ChannelField::RxFreq], other.channel(from)[ChannelField::RxFreq]);
    other.channel(to)[ChannelField::RxFreq] = other.channel(from)[ChannelField::RxFreq];
  }
  const std::optional<BatchSetup> held = BatchSetupOf(other, start.data, &start.error);
  ASSERT_TRUE(held) << start.error;
  const auto image = [](const BatchSetup& s) { return reinterpret_cast<const sim::RadioImage&>(s.image); };
  std::vector<sim::RadioProtocol> radios;
  radios.emplace_back(image(*start.setup), 1);
  radios.emplace_back(image(*held), 1);
  sim::VirtualClock clock;
  sim::VirtualCable cable(clock, std::move(radios), {});
  BatchOptions options;
  options.count = 2;
  options.keep_radio_image = true;
  BatchJob job(*start.setup, {{"A", 1, "A"}}, options, [&](const BatchPort&) {
    return PortIo{std::make_unique<BorrowedTransport>(cable), std::make_unique<BorrowedClock>(clock)};
  });
  job.log = &start.log;
  const BatchSummary summary = job.Run();
  EXPECT_TRUE(summary.AllGood());
  const CsvText csv = ParseCsvText(ReadBytes(start.log_path));
  ASSERT_EQ(csv.records.size(), 3u);
  EXPECT_EQ(csv.records[1].cells.at(6), "0");
  EXPECT_EQ(csv.records[2].cells.at(6), "2");
  // What each radio held was kept first.
  std::size_t kept = 0;
  for (const auto& e : std::filesystem::directory_iterator(start.dir.dir.File("backups")))
    kept += e.path().filename().string().rfind("before-write-", 0) == 0;
  EXPECT_EQ(kept, 2u);
  for (const sim::RadioProtocol& radio : cable.cable().radios()) EXPECT_EQ(radio.image(), image(*start.setup));
}

TEST(BatchSetup, NamesModelsByTheirNumber) {
  BatchStart start;
  ASSERT_TRUE(start.setup) << start.error;
  EXPECT_EQ(start.setup->ModelName(1), start.data.models().at(0));
  EXPECT_EQ(start.setup->ModelName(0), "第 0 号机型");
}

// The set-up is refused before any radio when the write would refuse it or
// the image names no model of KAVIR.ini.
TEST(BatchSetup, IsRefusedBeforeAnyRadio) {
  BatchStart start;
  ASSERT_TRUE(start.setup) << start.error;
  kavir::Setup off_band = start.data.start;
  off_band.channel(2)[ChannelField::RxFreq] = "999.00000";
  std::string error;
  EXPECT_FALSE(BatchSetupOf(off_band, start.data, &error));
  EXPECT_NE(error.find("CH02"), std::string::npos) << error;
  error.clear();
  EXPECT_FALSE(SetupFromImage(Image{}, start.data, &error));
  EXPECT_NE(error.find("model 0"), std::string::npos) << error;
  // The last model of the list is one of them.
  const int last = static_cast<int>(start.data.models().size());
  const IniDocument file = ReadIniFile(start.dir.files.ModelFile(start.data.models().back()));
  const std::optional<BatchSetup> own = BatchSetupOf(start.data.Resolve(ReadSetupRecord(file)), start.data, &error);
  ASSERT_TRUE(own) << error;
  const std::optional<BatchSetup> image = SetupFromImage(own->image, start.data, &error);
  ASSERT_TRUE(image) << error;
  EXPECT_EQ(image->model, last);
}

// A record's time and the default log name tell the same local time.
TEST(BatchLog, TheLogNameTellsTheRecordsTime) {
  const std::time_t when = 1765188000;
  std::string digits;
  for (char c : LocalTimeText(when))
    if (c >= '0' && c <= '9') digits += c;
  EXPECT_EQ(LocalTimeText(when).size(), 19u);
  EXPECT_EQ("batch-" + digits.substr(0, 8) + "-" + digits.substr(8) + ".csv", DefaultLogName(when));
}

// A transport that stops its job at once as it sends frame `at` (the poll,
// the write's handshake, then packet n as frame n + 2).
class StopNowAt : public BorrowedTransport {
 public:
  StopNowAt(Transport& t, BatchJob*& job, int at) : BorrowedTransport(t), job_(job), at_(at) {}
  void Send(const std::uint8_t* b, std::size_t n) override {
    BorrowedTransport::Send(b, n);
    if (++sent_ == at_) job_->StopNow();
  }

 private:
  BatchJob*& job_;
  int at_, sent_ = 0;
};

// Stopped at once, a radio part-way through its write is logged as stopped,
// with the packets it took; the job ends without waiting for another radio.
TEST(BatchJob, ARadioStoppedAtOnceIsLoggedWithThePacketsItTook) {
  for (const int at : {1, 2, 12, 50}) {
    SCOPED_TRACE(at);
    BatchStart start;
    ASSERT_TRUE(start.setup) << start.error;
    ASSERT_TRUE(start.log_open) << start.error;
    sim::VirtualClock clock;
    std::vector<sim::RadioProtocol> radios;
    radios.emplace_back(sim::RadioImage{}, 1);
    radios.emplace_back(sim::RadioImage{}, 1);
    sim::VirtualCable cable(clock, std::move(radios));
    BatchJob* running = nullptr;
    BatchJob job(*start.setup, {{"A", 1, "A"}}, BatchOptions{}, [&](const BatchPort&) {
      return PortIo{std::make_unique<StopNowAt>(cable, running, at), std::make_unique<BorrowedClock>(clock)};
    });
    running = &job;
    job.log = &start.log;
    const BatchSummary summary = job.Run();
    EXPECT_TRUE(summary.stopped);
    const int stored = cable.cable().radios()[0].packets_stored();
    EXPECT_EQ(cable.cable().radios()[1].sessions(), 0);
    const CsvText csv = ParseCsvText(ReadBytes(start.log_path));
    ASSERT_EQ(csv.error, "");
    // Stopped while polling: no radio was being written, none is logged.
    ASSERT_EQ(csv.records.size(), at == 1 ? 1u : 2u);
    if (at == 1) continue;
    ASSERT_EQ(csv.records[1].cells.size(), 7u);
    const std::string result = csv.records[1].cells[3];
    EXPECT_EQ(result.rfind("failed: stopped at once: 写入已取消", 0), 0u) << result;
    // The packets the radio acknowledged; the one in flight at the stop may
    // have gone in too.
    const std::size_t at_count = result.find("电台只收下了 ");
    const int took =
        at_count == std::string::npos ? 0 : std::atoi(result.c_str() + at_count + std::strlen("电台只收下了 "));
    EXPECT_EQ(took == 0, result.find("电台没有收下任何数据包") != std::string::npos) << result;
    EXPECT_TRUE(stored == took || stored == took + 1) << result << " (the radio stored " << stored << ")";
    EXPECT_EQ(took > 0, at > 3) << result;
    EXPECT_EQ(summary.failed, 1);
  }
}

// The log's first line, and the record of a verified write.
std::string LogHead() { return std::string("\xEF\xBB\xBF") + kLogHeader + "\r\n"; }
RadioRecord VerifiedRecord() {
  return {"2026-12-08 10:00:00", "A", "KV16V", RadioOutcome::Verified, "", "ab", 1500, {}};
}

#if defined(KAVIR_DISK_FAULTS)
// A full disk: a record cut off is taken out again and said to be missing.
TEST(BatchLog, AFullDiskLeavesNoRecordCutOff) {
  TempDir dir;
  const std::string head = LogHead();
  const RadioRecord r = VerifiedRecord();
  const std::string line = CsvLine(r) + "\r\n";
  std::string error;
  const std::string path = dir.File("batch.csv");
  BatchLog log;
  ASSERT_TRUE(log.Open(path, &error)) << error;
  ASSERT_TRUE(log.Append(r, &error)) << error;
  for (const long long room : {0LL, 1LL, 30LL, static_cast<long long>(line.size()) - 1}) {
    SCOPED_TRACE(room);
    test::faults::disk_space = room;
    const bool appended = log.Append(r, &error);
    test::faults::Reset();
    EXPECT_FALSE(appended);
    EXPECT_NE(error.find("this radio's record is not in the log"), std::string::npos) << error;
    EXPECT_EQ(ReadBytes(path), head + line);
  }
  ASSERT_TRUE(log.Append(r, &error)) << error;
  EXPECT_EQ(ReadBytes(path), head + line + line);
}

// A full disk: a log that cannot be started leaves no file behind.
TEST(BatchLog, AFullDiskLeavesNoEmptyLog) {
  TempDir dir;
  std::string error;
  for (const long long room : {0LL, 5LL}) {
    SCOPED_TRACE(room);
    const std::string fresh = dir.File("fresh-" + std::to_string(room) + ".csv");
    BatchLog opened, created;
    test::faults::disk_space = room;
    const bool opened_ok = opened.Open(fresh, &error);
    const std::string open_error = error;
    const bool created_ok = created.Create(dir.File("made"), 1765188000, &error);
    test::faults::Reset();
    EXPECT_FALSE(opened_ok);
    EXPECT_FALSE(created_ok);
    EXPECT_NE(open_error.find("no log was made (the file was removed)"), std::string::npos) << open_error;
    EXPECT_NE(error.find("no log was made"), std::string::npos) << error;
    EXPECT_FALSE(std::filesystem::exists(PathFromUtf8(fresh)));
  }
}

// A full disk: a line left cut by an earlier run is marked, never closed as if whole.
TEST(BatchLog, ALineCutByAnEarlierRunIsMarkedEvenAfterAFullDisk) {
  TempDir dir;
  const std::string head = LogHead();
  const RadioRecord r = VerifiedRecord();
  std::string error;
  const std::string cut = dir.File("cut.csv");
  WriteBytes(cut, head + "2026-12-07 10:00:00,A,KV16V,\"failed: a, b");  // cut inside a quoted cell
  BatchLog earlier;
  test::faults::disk_space = 3;
  EXPECT_FALSE(earlier.Open(cut, &error));
  test::faults::Reset();
  EXPECT_NE(error.find("the log was left as it was"), std::string::npos) << error;
  EXPECT_EQ(ReadBytes(cut), head + "2026-12-07 10:00:00,A,KV16V,\"failed: a, b");
  ASSERT_TRUE(earlier.Open(cut, &error)) << error;
  ASSERT_TRUE(earlier.Append(r, &error)) << error;
  const CsvText csv = ParseCsvText(ReadBytes(cut));
  ASSERT_EQ(csv.error, "");
  ASSERT_EQ(csv.records.size(), 3u);
  EXPECT_EQ(csv.records[1].cells.back(), kIncompleteRecord);
  EXPECT_NE(csv.records[1].cells.size(), 6u);
  EXPECT_EQ(csv.records[2].cells[3], "written and verified");
}
#endif

#ifndef _WIN32
// One device named twice (through a link, or by the same path) would carry
// two writes at once: the job refuses before it opens any port.
TEST(BatchJob, ADeviceNamedTwiceIsRefusedBeforeAnyPortOpens) {
  TempDir dir;
  const std::string x = dir.File("x"), y = dir.File("y");
  WriteBytes(x, "");
  WriteBytes(y, "");
  std::filesystem::create_symlink(PathFromUtf8(x), PathFromUtf8(dir.File("to-x")));
  const std::vector<BatchPort> apart{{"x", 1, x}, {"y", 1, y}, {"missing", 1, dir.File("none")}};
  EXPECT_EQ(SamePortTwice(apart), "");
  const std::vector<BatchPort> twice{{"x", 1, x}, {"y", 1, y}, {"to-x", 1, dir.File("to-x")}};
  EXPECT_EQ(SamePortTwice(twice), "x and to-x are the same device (" +
                                      Utf8FromPath(std::filesystem::canonical(PathFromUtf8(x))) +
                                      "): each port can be named once");
  EXPECT_NE(SamePortTwice({{"x", 1, x}, {"x\n", 1, dir.File("./x")}}).find("\"x\\n\""), std::string::npos);

  ShippedDir s;
  std::string error;
  const ProgramData data = ProgramData::Load(s.files);
  const auto setup = BatchSetupOf(data.start, data, &error);
  ASSERT_TRUE(setup) << error;
  int opened = 0;
  BatchJob job(*setup, twice, BatchOptions{}, [&](const BatchPort&) {
    ++opened;
    return PortIo{};
  });
  const BatchSummary summary = job.Run();
  EXPECT_EQ(opened, 0);
  ASSERT_EQ(summary.errors.size(), 1u);
  EXPECT_NE(summary.errors[0].find("are the same device"), std::string::npos) << summary.errors[0];
  EXPECT_FALSE(summary.AllGood());
}
#endif

#ifndef _WIN32
// A pipe nobody reads would block the batch before its first radio.
TEST(BatchLog, APipeOrAFolderIsRefusedAtOnce) {
  TempDir dir;
  const std::string fifo = dir.File("log.fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& path : {fifo, std::string(dir.path())}) {
    BatchLog log;
    std::string error;
    EXPECT_FALSE(log.Open(path, &error)) << path;
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
  }
}
#endif

// Every record on a line of its own, in the file the path names now.
TEST(BatchLog, EachRecordGoesOnItsOwnLineInTheFileThePathNames) {
  TempDir dir;
  const std::string path = dir.File("batch.csv"), head = LogHead();
  WriteBytes(path, head + "2026-12-07 10:00:00,A,KV16V,writ");  // an earlier log cut off mid-record
  BatchLog log;
  std::string error;
  ASSERT_TRUE(log.Open(path, &error)) << error;
  const RadioRecord r = VerifiedRecord();
  EXPECT_TRUE(log.Append(r, &error)) << error;
  EXPECT_TRUE(log.Append(r, &error)) << error;
  WriteBytes(path, ReadBytes(path) + "2026-12-08 10:00:01,A,KV16V,wr");  // the disk had no room for the rest
  EXPECT_TRUE(log.Append(r, &error)) << error;
  const std::string line = "\r\n2026-12-08 10:00:00,A,KV16V,written and verified,ab,1.5,\r\n", all = ReadBytes(path);
  // Each cut line is marked as no whole record.
  EXPECT_NE(all.find(",writ,incomplete record" + line + line.substr(2) +
                     "2026-12-08 10:00:01,A,KV16V,wr,incomplete record" + line),
            std::string::npos)
      << all;
  const struct {
    std::function<void()> change;
    const char* said;
  } losses[] = {{[&] { std::filesystem::remove(PathFromUtf8(path)); }, "gone"},
                {[&] { WriteBytes(path, head); }, "cut or replaced"}};
  for (const auto& loss : losses) {
    loss.change();
    EXPECT_FALSE(log.Append(r, &error));
    EXPECT_NE(error.find(loss.said), std::string::npos) << error;
    EXPECT_EQ(ReadBytes(path).rfind(head + "2026-12-08 10:00:00,A", 0), 0u);
  }
}

// A log made by the job itself is never shared with another batch.
TEST(BatchLog, ALogTheJobNamesIsNeverShared) {
  TempDir dir;
  const std::string head = LogHead();
  BatchLog first, second, elsewhere;
  std::string error;
  ASSERT_TRUE(first.Create(dir.path(), 1765188000, &error)) << error;
  ASSERT_TRUE(second.Create(dir.path(), 1765188000, &error)) << error;
  EXPECT_EQ(second.path(), first.path().substr(0, first.path().size() - 4) + "-2.csv");
  EXPECT_EQ(ReadBytes(second.path()), head);
  EXPECT_EQ(first.path(), JoinPath(dir.path(), DefaultLogName(1765188000)));
  EXPECT_FALSE(first.Create(dir.File("no-folder"), 1765188000, &error));
  EXPECT_FALSE(elsewhere.Open(dir.File("no/x.csv"), &error));
}

// SHA-256 against the published test vectors.
TEST(Sha256, KnownVectors) {
  const struct {
    std::string input;
    const char* digest;
  } cases[] = {
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrsmnopqrstnopqrst"
       "u",
       "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
      {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Sha256Hex(reinterpret_cast<const std::uint8_t*>(c.input.data()), c.input.size()), c.digest)
        << c.input.size() << " bytes";
}

}  // namespace
}  // namespace kavir::test
