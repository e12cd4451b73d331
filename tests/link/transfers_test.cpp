// Reading and writing against the in-process radio: what goes out, in which
// order, what every failure and a Cancel do, the verify after a write, and
// the files and raw images left behind.
#include <atomic>
#include <functional>
#include <set>
#include <thread>

#include <gtest/gtest.h>

#include "ini/local_time.h"
#include "interchange/setup_compare.h"
#include "link/backups.h"
#include "link/radio_texts.h"
#include "link/transactions.h"
#include "link/transfer_summary.h"
#include "link/write_image.h"
#include "link/write_setup.h"
#include "radio_rig.h"
#include "scoped_time_zone.h"
#include "setup/profile_keys.h"
#include "setup/profile_setup.h"

namespace kavir::test {
namespace {

namespace fs = std::filesystem;

// The handshake, `requests` requests for packets 1-16, then `acks` acknowledgements.
std::vector<Bytes> Frames(int requests, int acks) {
  std::vector<Bytes> f{B("PRead", 0)};
  f.insert(f.end(), requests, B("PGood", 1));
  f.insert(f.end(), acks, B("PGood"));
  return f;
}
const std::vector<Bytes> kCompleteRead = Frames(16, 33);

void MarkOld(const std::string& ini_path) {  // something from before, to see it kept
  IniDocument doc;
  doc.SetString("Previous", "Type", "OLD");
  doc.SetString("Previous", "CH01.RxFreq", "999.99999");
  ASSERT_TRUE(WriteIniFile(ini_path, doc));
}
std::string LastStatus(const Rig& rig) { return rig.ui.status.empty() ? "" : rig.ui.status.back(); }
std::string WriteIniType(const Rig& rig) {
  return ReadIniFile(rig.files.write_ini).GetString("Previous", "Type", "", 20);
}

// What a failed read left aside (Read.ini keeps the last complete read).
std::string PartialValue(const Rig& rig, const std::string& key) {
  return ReadIniFile(PartialReadPath(rig.files)).GetString("Previous", key, "<missing>", 260);
}

std::vector<fs::path> BackupsOf(const Rig& rig, const std::string& kind = "") {  // kind "": all
  std::vector<fs::path> out;
  const fs::path dir = fs::path(rig.folder.path()) / "backups";
  if (fs::exists(dir))
    for (const auto& e : fs::directory_iterator(dir))
      if (e.path().filename().string().rfind(kind, 0) == 0) out.push_back(e.path());
  return out;
}

// Requests a Cancel once the radio has received `frames` frames.
void CancelAfter(Rig& rig, std::size_t frames) {
  rig.link.idle_hook = [&rig, frames] {
    if (rig.radio.sent().size() >= frames) rig.link.RequestCancel();
  };
}

TEST(ReadRadio, ACompleteReadBringsBackEveryKeyKeepingTheImage) {
  Rig rig;
  MarkOld(rig.files.read_ini);
  Select(rig.view, "Type", 1);  // something the read must replace
  rig.radio.ClearSent();
  rig.ui.answers = {true};
  rig.ui.events.clear();
  rig.link.RequestCancel();  // left from before: a new transfer starts without it
  EXPECT_EQ(OnReadRadio(rig.view, rig.link), TransferResult::Done);
  EXPECT_EQ(rig.Sent(), kCompleteRead);
  EXPECT_EQ(rig.ui.prompts.size(), 1u);  // the confirmation only
  EXPECT_EQ(LastStatus(rig), "完毕!");
  EXPECT_EQ(rig.priorities, (std::vector<ThreadPriority>{ThreadPriority::TimeCritical, ThreadPriority::Normal}));
  for (const char* e :
       {"begin:正在进行握手， 请稍候.......:49:1", "begin:正在接收第 16 个数据包， 请稍候.......:49:17",
        "begin:正在传输第 17 个数据包， 请稍候.......:49:18", "begin:正在进行数据刷新， 请稍候.......:10:10"})
    EXPECT_NE(std::find(rig.ui.events.begin(), rig.ui.events.end(), e), rig.ui.events.end()) << e;

  const IniDocument model = ReadIniFile(rig.files.ModelFile("KV16V"));
  for (const std::string& key : ProfileKeys())
    EXPECT_EQ(rig.ReadIniValue(key), key == "PF3S" ? "" : model.GetString("Previous", key, "<missing>", 260)) << key;
  EXPECT_EQ(rig.view.Selected("Type").text, "KV16V");

  const auto kept = BackupsOf(rig);
  ASSERT_EQ(kept.size(), 1u);
  const auto& image = rig.radio.radio().image();
  EXPECT_EQ(ReadBytes(kept[0].string()), std::string(image.begin(), image.end()));
  const std::string summary =
      ReadSummary(TransferResult::Done, rig.link.report, rig.view.setup(), rig.view.current_model_name);
  EXPECT_NE(summary.find("16 个信道"), std::string::npos) << summary;
  EXPECT_NE(summary.find("backups/read-KV16V-"), std::string::npos) << summary;
  EXPECT_EQ(summary.find(rig.files.program_dir), std::string::npos) << "named within the folder: " << summary;
}

// Every progress text and the last status of a read are shown translated.
TEST(ReadRadio, ItsTextsAreShownInTheChosenLanguage) {
  Rig rig;
  rig.ui.answers = {true};
  rig.ui.events.clear();
  SetTextTranslator([](const char*, const char* text) { return "en:" + std::string(text); });
  const TransferResult result = OnReadRadio(rig.view, rig.link);
  SetTextTranslator(nullptr);
  ASSERT_EQ(result, TransferResult::Done);
  EXPECT_EQ(LastStatus(rig), "en:完毕!");
  for (const std::string& e : rig.ui.events)
    if (e.rfind("begin:", 0) == 0) {
      EXPECT_EQ(e.rfind("begin:en:", 0), 0u) << e;
    }
}

// The screen, its message and the next start all follow the model the radio named.
TEST(ReadRadio, ARadioOfAnotherModelIsTakenAsThatModel) {
  Rig rig;
  rig.view.LoadProfile(rig.files.ModelFile("KV16U"));
  rig.view.OnChBoxClicked(3), rig.view.OnChBoxClicked(5);  // two channels the radio has closed
  rig.radio.radio().set_image(rig.ScreenImage());
  rig.radio.radio().set_model(2);
  rig.view.LoadProfile(rig.files.ModelFile("KV16V"));
  for (int read = 1; read <= 2; ++read) {
    rig.ui.answers = {true};
    ASSERT_EQ(OnReadRadio(rig.view, rig.link), TransferResult::Done);
    const std::string summary =
        ReadSummary(TransferResult::Done, rig.link.report, rig.view.setup(), rig.view.current_model_name);
    EXPECT_NE(summary.find("（其中 14 个打开），机型 KV16U"), std::string::npos) << read << summary;
    EXPECT_FALSE(rig.view.IsModified()) << "the screen holds what the radio holds";
  }
  EXPECT_EQ(ReadIniFile(rig.files.kavir_ini).GetString("PreviousType", "1", "", 20), "KV16U");
}

TEST(ReadRadio, NoFailureOrCancelChangesReadIniOrTheScreen) {
  // sent: empty, not checked; prompt: "", cancelled, no prompt after the confirmation; delay_ms: from the
  // last frame sent to the prompt (or the end), -1 not checked; ch05_missing: packets before the failing one
  // are in the partial file, it is not; error: the one message shown.
  struct Case {
    const char* what;
    std::function<void(Rig&)> fault;
    std::vector<Bytes> sent;
    std::string prompt;
    int delay_ms;
    bool ch05_missing = false;
    const char* error = nullptr;
  } cases[] = {
      {"silent radio: four handshakes at the time-out of KAVIR.ini",
       [](Rig& r) {
         ASSERT_TRUE(r.view.config().Change([](IniDocument& ini) { ini.SetString("WaitFor", "Shk", "1250"); }));
         r.radio.radio().faults.silent_from = 0;
       },
       std::vector<Bytes>(4, B("PRead", 0)), kHandshakeFailed, 1250},
      {"wrong handshake", [](Rig& r) { r.radio.radio().faults.wrong_handshake = true; }, Frames(0, 0), kHandshakeFailed,
       -1},
      {"packet 5 from another address", [](Rig& r) { r.radio.radio().faults.wrong_address_packet = 5; }, Frames(6, 0),
       FormatPacketText(kReadPacketFailedFormat, 5), 35 * 43 + 1, true},
      {"packet 17 silent: no acknowledgement", [](Rig& r) { r.radio.radio().faults.silent_from = 17; }, Frames(16, 1),
       FormatPacketText(kReadPacketFailedFormat, 17), 4 * 80 + 20 * 31 + 1},
      {"packet 30 silent: acknowledged, then the address check",
       [](Rig& r) { r.radio.radio().faults.silent_from = 30; }, Frames(16, 15),
       FormatPacketText(kReadPacketFailedFormat, 30), 20 * 18 + 1},
      // A partial answer is waited for, not asked again: one request, one more before the delay.
      {"packet 5 a byte short", [](Rig& r) { r.radio.answer_budget = 20 + 4 * 20 + 19; }, Frames(4 + 1 + 1, 0),
       FormatPacketText(kReadPacketFailedFormat, 5), 15 * 43 + 1, true},
      {"packet 5 silent: asked four times", [](Rig& r) { r.radio.radio().faults.silent_from = 5; },
       Frames(4 + 4 + 1, 0), FormatPacketText(kReadPacketFailedFormat, 5), 15 * 43 + 1, true},
      // 19 bytes of 17 come in the second wait, the last in the fourth: it is whole. 18 never comes.
      {"packet 17 in two pieces, 18 silent",
       [](Rig& r) {
         r.radio.answer_budget = 20 * 17 + 19;
         r.link.idle_hook = [&r] {
           const auto& s = r.radio.sent();
           if (s.size() == 17) r.radio.latency_ms = 100;
           if (s.size() == 18 && r.clock.NowMs() - s[17].at_ms >= 280) r.radio.InjectIncoming(Bytes(1, 0));
         };
       },
       Frames(16, 2), FormatPacketText(kReadPacketFailedFormat, 18), 4 * 80 + 20 * 30 + 1},
      {"packet 16 from another address: asked once more",
       [](Rig& r) { r.radio.radio().faults.wrong_address_packet = 16; }, Frames(17, 0),
       FormatPacketText(kReadPacketFailedFormat, 16), 35 * 32 + 1},
      // Packet 17 or 18 with fewer than 5 bytes is taken for silence; with 5 or more it is acknowledged.
      {"packet 17 cut to 4 bytes", [](Rig& r) { r.radio.answer_budget = 20 + 16 * 20 + 4; }, Frames(16, 1),
       FormatPacketText(kReadPacketFailedFormat, 17), 4 * 80 + 20 * 31 + 1},
      {"packet 17 cut to 5 bytes", [](Rig& r) { r.radio.answer_budget = 20 + 16 * 20 + 5; }, Frames(16, 2),
       FormatPacketText(kReadPacketFailedFormat, 17), 20 * 31 + 1},
      {"packet 19 cut to 4 bytes", [](Rig& r) { r.radio.answer_budget = 20 + 18 * 20 + 4; }, Frames(16, 4),
       FormatPacketText(kReadPacketFailedFormat, 19), 20 * 29 + 1},
      {"model without an upper band limit", [](Rig& r) { r.radio.radio().set_model(99); }, kCompleteRead, kBandFailed,
       -1},
      {"babbling radio", [](Rig& r) { r.radio.radio().faults.flood_bytes = 600; }, {}, kHandshakeFailed, -1},
      // One box, naming the port, not the handshake.
      {"unplugged cable",
       [](Rig& r) { r.radio.Close(), r.radio.refuse_open = "No such file or directory"; },
       {},
       ArgText(kPortFailedFormat, {"cannot open virtual COM1: No such file or directory"}),
       -1},
      // A Cancel ends the wait within one 20 ms slice, not at its time-out.
      {"cancel at the handshake", [](Rig& r) { CancelAfter(r, 1); }, Frames(0, 0), "", 20},
      {"cancel while the radio sends", [](Rig& r) { CancelAfter(r, 30); }, Frames(16, 13), "", 20},
      {"cancel when silent at 20", [](Rig& r) { r.radio.radio().faults.silent_from = 20, CancelAfter(r, 21); },
       Frames(16, 4), "", 20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Rig rig;
    MarkOld(rig.files.read_ini);
    rig.radio.radio().set_image(sim::RadioImage{});  // a read would change the screen
    const std::string cell = rig.view.Cell(1, 1).text;
    c.fault(rig);
    rig.radio.ClearSent();
    rig.ui.errors.clear();
    rig.ui.answers = {true, false};
    const std::int64_t t0 = rig.clock.NowMs();
    EXPECT_EQ(OnReadRadio(rig.view, rig.link), TransferResult::Failed);
    if (!c.sent.empty()) {
      EXPECT_EQ(rig.Sent(), c.sent);
    }
    const auto& sent = rig.radio.sent();
    for (std::size_t i = 1; i < sent.size(); ++i)  // handshakes again after the time-out
      if (sent[i].bytes == B("PRead", 0)) {
        EXPECT_EQ(sent[i].at_ms - sent[i - 1].at_ms, c.delay_ms) << i;
      }
    const bool cancelled = c.prompt.empty();
    EXPECT_EQ(rig.link.report.cancelled, cancelled);
    ASSERT_EQ(rig.ui.prompts.size(), cancelled ? 1u : 2u);
    const std::int64_t end = cancelled ? rig.clock.NowMs() : rig.ui.prompts.back().at_ms;
    EXPECT_EQ(rig.ui.prompts.back().text, cancelled ? std::string(kReadConfirm) : c.prompt);
    if (c.delay_ms >= 0 && cancelled) {
      EXPECT_LE(end - rig.radio.sent().back().at_ms, c.delay_ms);
      EXPECT_LE(end - t0, 20 * static_cast<std::int64_t>(rig.radio.sent().size()) + 40);
    }
    if (c.delay_ms >= 0 && !cancelled) {
      EXPECT_EQ(end - rig.radio.sent().back().at_ms, c.delay_ms);
    }
    if (cancelled) {
      EXPECT_NE(ReadSummary(TransferResult::Failed, rig.link.report, rig.view.setup(), rig.view.current_model_name)
                    .find("取消"),
                std::string::npos);
    } else {  // what the failed read got is kept under a name that says so
      const std::string partial = ReadBytes(PartialReadPath(rig.files));
      EXPECT_EQ(partial.rfind("; ", 0), 0u) << partial;
      EXPECT_NE(partial.find("incomplete"), std::string::npos) << partial;
    }
    if (c.ch05_missing) {
      EXPECT_NE(PartialValue(rig, "CH04.RxFreq"), "");
      EXPECT_EQ(PartialValue(rig, "CH05.RxFreq"), "");
    }
    if (c.prompt == kHandshakeFailed) {
      EXPECT_EQ(PartialValue(rig, "CH01.RxFreq"), "");
      EXPECT_EQ(PartialValue(rig, "CBR1"), "");
    }  // nothing came
    EXPECT_EQ(rig.ReadIniValue("Type"), "OLD");
    ASSERT_EQ(rig.ui.errors.size(), c.error ? 1u : 0u);
    if (c.error) {
      EXPECT_NE(rig.ui.errors[0].find(c.error), std::string::npos) << rig.ui.errors[0];
    }
    EXPECT_EQ(rig.view.Cell(1, 1).text, cell);  // the screen is not reloaded
    EXPECT_TRUE(BackupsOf(rig).empty());
    EXPECT_EQ(rig.priorities.back(), ThreadPriority::Normal);
    EXPECT_TRUE(rig.ui.cursors.empty() || rig.ui.cursors.back() == Cursor::Normal);  // no turning cursor left
  }
}

TEST(ReadRadio, NoSendsNothing) {
  Rig rig;
  MarkOld(rig.files.read_ini);
  rig.radio.ClearSent();
  EXPECT_EQ(OnReadRadio(rig.view, rig.link), TransferResult::Cancelled);
  EXPECT_TRUE(rig.Sent().empty());
  EXPECT_TRUE(rig.priorities.empty());
}

TEST(ReadRadio, YesAfterAFailureStartsOverWithoutThePartialFile) {
  Rig rig;
  MarkOld(rig.files.read_ini);
  rig.radio.ClearSent();
  rig.radio.radio().faults.wrong_address_packet = 33;
  rig.radio.radio().faults.once = true;
  rig.radio.InjectIncoming(Bytes(40, 0x33));  // stray bytes while idle are cleared away
  rig.ui.prompts.clear(), rig.ui.answers = {true, true};
  bool partial_seen = false;
  rig.ui.on_prompt = [&](const std::string&) { partial_seen |= fs::exists(PartialReadPath(rig.files)); };
  EXPECT_EQ(OnReadRadio(rig.view, rig.link), TransferResult::Done);
  EXPECT_EQ(rig.ui.prompts[1].text, FormatPacketText(kReadPacketFailedFormat, 33));
  std::vector<Bytes> expected = Frames(16, 1 + 16 + 1);  // up to the bad 33's acknowledgement
  expected.insert(expected.end(), kCompleteRead.begin(), kCompleteRead.end());
  EXPECT_EQ(rig.Sent(), expected);
  EXPECT_EQ(rig.ReadIniValue("Type"), "KV16V");
  EXPECT_TRUE(partial_seen);
  EXPECT_FALSE(fs::exists(PartialReadPath(rig.files)));
}

// A slow radio is still sending the packet the failed attempt acknowledged
// when the user answers: the retry waits for a quiet line and starts clean.
TEST(ReadRadio, ARetryWaitsUntilTheRadioHasStoppedSending) {
  Rig rig;
  rig.radio.latency_ms = 30;
  rig.radio.radio().faults.short_packet = 47;
  rig.radio.radio().faults.once = true;
  rig.radio.ClearSent();
  rig.ui.answers = {true, true};
  EXPECT_EQ(OnReadRadio(rig.view, rig.link), TransferResult::Done);
  std::vector<Bytes> expected = Frames(16, 31 + 1);  // up to the short 47's acknowledgement
  expected.insert(expected.end(), kCompleteRead.begin(), kCompleteRead.end());
  EXPECT_EQ(rig.Sent(), expected);
}

// What cannot be read or written is shown, and nothing is put in its place.
TEST(ReadRadio, FilesThatCannotBeUsedAreShown) {
  struct Case {
    const char* what;
    std::function<void(Rig&)> fault;
    bool reads;
    const char* error;
  } cases[] = {
      {"no KAVIR.ini: no option lists, nothing sent",
       [](Rig& r) {
         fs::remove(r.files.kavir_ini);
         LinkPortStarter starter(r.link);
         r.view.OnInitialUpdate(&starter);
       },
       false, "KAVIR.ini"},
      {"Read.ini read-only", [](Rig& r) { fs::permissions(r.files.read_ini, fs::perms::owner_read); }, true,
       "是只读文件，没有写入"},  // in the message's language
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Rig rig;
    MarkOld(rig.files.read_ini);
    c.fault(rig);
    rig.radio.ClearSent(), rig.ui.errors.clear();
    rig.ui.answers = {true, true};
    EXPECT_EQ(OnReadRadio(rig.view, rig.link), TransferResult::Failed);
    EXPECT_EQ(rig.Sent(), c.reads ? kCompleteRead : std::vector<Bytes>{});
    EXPECT_EQ(rig.ui.prompts.size(), c.reads ? 1u : 0u);
    ASSERT_EQ(rig.ui.errors.size(), 1u);
    EXPECT_NE(rig.ui.errors[0].find(c.error), std::string::npos) << rig.ui.errors[0];
    EXPECT_EQ(rig.ReadIniValue("Type"), "OLD");
    EXPECT_EQ(fs::exists(rig.files.kavir_ini), c.reads);
    EXPECT_EQ(BackupsOf(rig, "read-").size(), c.reads ? 1u : 0u) << "what was read is kept";
  }
}

// Read.ini is where a read goes: when it cannot be read, nothing is asked of the radio.
TEST(ReadRadio, AnUnreadableReadIniStopsTheReadBeforeAnythingIsSent) {
  Rig rig;
  fs::remove(rig.files.read_ini);
  fs::create_directory(rig.files.read_ini);
  rig.radio.ClearSent(), rig.ui.errors.clear();
  rig.ui.answers = {true, true};
  EXPECT_EQ(OnReadRadio(rig.view, rig.link), TransferResult::Failed);
  EXPECT_TRUE(rig.Sent().empty());
  ASSERT_EQ(rig.ui.errors.size(), 1u);
  EXPECT_NE(rig.ui.errors[0].find("Read.ini 无法读取"), std::string::npos) << rig.ui.errors[0];
}

TEST(WriteRadio, ACompleteWriteGivesTheRadioTheScreenPacketByPacket) {
  Rig rig;
  const sim::RadioImage expected_image = rig.ScreenImage();
  rig.radio.radio().set_image(sim::RadioImage{});
  rig.view.ShowPage(1);
  rig.view.current_tab = 1;
  rig.radio.ClearSent();
  rig.ui.answers = {true};
  rig.link.RequestCancel();  // left from before: a new transfer starts without it
  EXPECT_EQ(OnWriteRadio(rig.view, rig.link, {.verify = false}), TransferResult::Done);
  EXPECT_NE(rig.ui.prompts[0].text.find("KV16V"), std::string::npos);
  const auto sent = rig.Sent();
  ASSERT_EQ(sent.size(), 49u);
  EXPECT_EQ(sent[0], B("PWrite", 0));
  // Write.ini and the radio get the one set-up the screen showed.
  const kavir::Setup shown = rig.view.setup();
  const IniDocument write_ini = ReadIniFile(rig.files.write_ini);
  for (const auto& [key, value] : StoredValues(shown))
    EXPECT_EQ(write_ini.GetString("Previous", key, "<missing>", 260), value) << key;
  for (int n = 1; n <= 48; ++n) {
    const Frame expected = EncodeFrame(n, shown);
    EXPECT_EQ(sent[n], Bytes(expected.begin(), expected.end())) << n;
  }
  EXPECT_EQ(rig.radio.radio().completed_writes(), 1);
  EXPECT_EQ(rig.radio.radio().image(), expected_image);
  EXPECT_EQ(LastStatus(rig), "完毕!");
  EXPECT_EQ(rig.view.shown_page, 1);
  EXPECT_EQ(rig.priorities, (std::vector<ThreadPriority>{ThreadPriority::TimeCritical, ThreadPriority::Normal}));
  EXPECT_EQ(WriteIniType(rig), "KV16V");
  EXPECT_EQ(BackupsOf(rig, "").size(), 1u);
  EXPECT_NE(
      std::find(rig.ui.progress.begin(), rig.ui.progress.end(), "begin:正在传输第 48 个数据包， 请稍候.......:49:49"),
      rig.ui.progress.end());
  WriteImageOptions no_backup;  // as --no-backup asks: nothing more is kept
  no_backup.backup = false, no_backup.verify = false;
  EXPECT_EQ(WriteImage(rig.link, expected_image, no_backup).outcome, WriteOutcome::Done);
  EXPECT_EQ(BackupsOf(rig, "").size(), 1u);
}

TEST(WriteRadio, NoRefusalOrFailureChangesTheRadio) {
  struct Case {  // prompt: the last one, "" for none after the confirmation
    const char* what;
    std::function<void(Rig&)> fault;
    std::deque<bool> answers;
    TransferResult result;
    std::vector<Bytes> sent;
    const char* prompt;
    bool error;
    WriteRadioOptions options = {};
  } cases[] = {
      {"No at the confirmation", [](Rig&) {}, {}, TransferResult::Cancelled, {}, nullptr, false},
      {"silent radio",
       [](Rig& r) { r.radio.radio().faults.silent_from = 0; },
       {true, false},
       TransferResult::Failed,
       std::vector<Bytes>(4, B("PWrite", 0)),
       kHandshakeFailed,
       false},
      {"answer that is not PM",
       [](Rig& r) { r.radio.radio().faults.wrong_handshake = true; },
       {true, false},
       TransferResult::Failed,
       {B("PWrite", 0)},
       kHandshakeFailed,
       false},
      {"another model, No",
       [](Rig& r) { r.radio.radio().set_model(2); },
       {true, false},
       TransferResult::Failed,
       {B("PWrite", 0)},
       "KV16U",
       false},
      {"another model, refused without asking",
       [](Rig& r) { r.radio.radio().set_model(2); },
       {true, true},
       TransferResult::Failed,
       {B("PWrite", 0)},
       nullptr,
       false,
       {.other_model = OtherModel::Refuse}},
      {"screen with wrong bytes",
       [](Rig& r) { r.view.OnBandEdited(false, "174"), r.view.OnBandEdited(true, "136"); },
       {true, true},
       TransferResult::Failed,
       {},
       nullptr,
       true},
      {"backup folder cannot be made",
       [](Rig& r) { WriteBytes(JoinPath(r.folder.path(), "backups"), "a file where the folder should be"); },
       {true},
       TransferResult::Failed,
       {},
       "",
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Rig rig;
    MarkOld(rig.files.write_ini);
    c.fault(rig);
    rig.radio.ClearSent();
    rig.ui.answers = c.answers;
    EXPECT_EQ(OnWriteRadio(rig.view, rig.link, c.options), c.result);
    EXPECT_EQ(rig.Sent(), c.sent);
    EXPECT_EQ(rig.radio.radio().completed_writes(), 0);
    if (!c.prompt) {
      EXPECT_LE(rig.ui.prompts.size(), 1u);
      if (c.error) {
        EXPECT_EQ(WriteIniType(rig), "OLD");
      }
    } else if (*c.prompt) {
      ASSERT_EQ(rig.ui.prompts.size(), 2u);
      EXPECT_NE(rig.ui.prompts[1].text.find(c.prompt), std::string::npos) << rig.ui.prompts[1].text;
    }
    EXPECT_EQ(rig.ui.errors.size(), c.error ? 1u : 0u);
    if (c.error && c.sent.empty() && !c.prompt) {
      EXPECT_TRUE(rig.ui.prompts.empty());
      EXPECT_EQ(rig.ui.errors[0], DescribeProblems(CheckBeforeWrite(rig.view.setup(), rig.view.channel_lists)));
      EXPECT_EQ(WriteSummary(c.result, rig.link.report), "");  // that box says it all
    }
    if (!rig.priorities.empty()) {
      EXPECT_EQ(rig.priorities.back(), ThreadPriority::Normal);
    }
  }
}

TEST(WriteRadio, ARetriedWriteToAnotherModelStoresTheScreenAgain) {
  Rig rig;
  rig.radio.radio().set_model(2);
  rig.radio.answer_budget = 20 + 20 * 5 + 4;  // packet 21's acknowledgement is cut short
  rig.radio.ClearSent();
  rig.ui.answers = {true, true, true};
  ASSERT_GE(rig.view.Combo("TimerOut")->options.size(), 3u);
  const std::string packet21 = FormatPacketText(kWritePacketFailedFormat, 21);
  rig.ui.on_prompt = [&](const std::string& text) {
    if (text != packet21) return;
    rig.radio.answer_budget = -1;            // the radio comes back
    rig.view.OnSelectOption("TimerOut", 2);  // and the screen changed meanwhile
  };
  EXPECT_EQ(OnWriteRadio(rig.view, rig.link, {.verify = false}), TransferResult::Done);
  EXPECT_EQ(rig.ui.prompts[2].text, packet21);
  const auto sent = rig.Sent();
  ASSERT_EQ(sent.size(), 1u + 21u + 49u);  // packet 21 went out once in the first attempt
  EXPECT_EQ(sent[21][1] * 256 + sent[21][2], 16 * 20);
  EXPECT_EQ(sent[22], B("PWrite", 0));
  EXPECT_EQ(rig.ui.prompts[2].at_ms - rig.radio.sent()[21].at_ms, 4 * 80);
  EXPECT_EQ(ReadIniFile(rig.files.write_ini).GetString("Previous", "TimerOut", "", 20),
            rig.view.Combo("TimerOut")->options[2]);
  EXPECT_EQ(rig.radio.radio().completed_writes(), 1);
}

// A cancel in the read-back leaves a radio that has all it was sent, unverified.
TEST(WriteRadio, ACancelDuringTheVerifyIsNamedAsOne) {
  Rig rig;
  rig.ui.answers = {true};
  CancelAfter(rig, 1 + 48 + 1);  // the write, then the read-back's handshake
  WriteImageResult details;
  EXPECT_NE(OnWriteRadio(rig.view, rig.link, {}, &details), TransferResult::Done);
  EXPECT_EQ(rig.radio.radio().completed_writes(), 1);
  EXPECT_TRUE(details.outcome == WriteOutcome::NotVerified);
  EXPECT_TRUE(details.cancelled);
  EXPECT_TRUE(rig.link.report.cancelled);
  EXPECT_FALSE(RadioMayHoldMixedSettings(TransferResult::Failed, rig.link.report));
}

TEST(WriteRadio, CancelOrFailurePartWaySaysWhatTheRadioMayHold) {
  // cancel_after: frames sent when the Cancel comes (frame n+1 is packet n), 0: none;
  // packets_taken: the packet in flight is still acknowledged.
  struct Case {
    const char* what;
    std::size_t cancel_after;
    std::optional<int> silent_from;
    bool verify;
    TransferResult result;
    int packets_taken;
    bool mixed;
    const char* summary;
  } cases[] = {
      {"cancel at the handshake", 1, {}, true, TransferResult::Failed, 0, false, "写入已取消"},
      {"cancel after packet 24", 25, {}, true, TransferResult::Failed, 24, true, "写入已取消"},
      {"cancel after the last acknowledgement", 49, {}, false, TransferResult::Done, 48, false, nullptr},
      {"silent radio from packet 10", 0, 10, true, TransferResult::Failed, 9, true, "9 / 48"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Rig rig;
    rig.radio.ClearSent();
    rig.radio.radio().faults.silent_from = c.silent_from;
    rig.ui.answers = {true, false};
    if (c.cancel_after) CancelAfter(rig, c.cancel_after);
    EXPECT_EQ(OnWriteRadio(rig.view, rig.link, {.verify = c.verify}), c.result);
    const TransferReport& report = rig.link.report;
    EXPECT_EQ(rig.radio.radio().completed_writes(), c.result == TransferResult::Done ? 1 : 0);
    if (c.result == TransferResult::Done) continue;
    EXPECT_EQ(report.cancelled, c.cancel_after > 0);
    EXPECT_EQ(report.packets_written, c.packets_taken);
    EXPECT_EQ(RadioMayHoldMixedSettings(TransferResult::Failed, report), c.mixed);
    if (c.cancel_after) {
      EXPECT_EQ(rig.Sent().size() + rig.ui.prompts.size(), c.cancel_after + 1);
    }
    EXPECT_TRUE(fs::exists(fs::u8path(report.backup_path)));
    const std::string summary = WriteSummary(TransferResult::Failed, report);
    EXPECT_NE(summary.find(c.summary), std::string::npos) << summary;
    EXPECT_EQ(summary.find("混合") != std::string::npos, c.mixed) << summary;
    if (c.cancel_after) {
      EXPECT_EQ(summary.find("backups/") != std::string::npos, c.mixed) << summary;
    }
    if (!c.silent_from) continue;
    // The command line and the batch log say it in one line: the cause, never the question.
    const std::string line = WriteFailureLine(rig.ui.prompts.back().text, TransferResult::Failed, report);
    EXPECT_EQ(line.rfind("传输第 10 个数据包时发生通讯错误/超时连接; 写入没有完成：电台只收下了 9 / 48", 0), 0u)
        << line;
    EXPECT_NE(line.find(fs::u8path(report.backup_path).filename().string()), std::string::npos) << line;
    EXPECT_EQ(line.find_first_of("\n\t?"), std::string::npos) << line;
  }
}

// The rig's radio on a cable that is pulled once the radio has seen `frames`
// frames: the port closes under the link, as the system's does when the
// device goes away, and opens again only when the radio's refuse_open is
// empty (`missing` at first).
class PulledCable : public Transport {
 public:
  PulledCable(sim::VirtualRadio& radio, std::size_t frames, std::string missing)
      : radio_(radio), frames_(frames), missing_(std::move(missing)) {}
  bool Open(int n, const std::string& d, std::string* e) override { return radio_.Open(n, d, e); }
  bool IsOpen() const override { return radio_.IsOpen(); }
  void Close() override { radio_.Close(); }
  std::string DeviceName(int n, const std::string& d) const override { return radio_.DeviceName(n, d); }
  void Send(const std::uint8_t* b, std::size_t n) override {
    if (pulled_) radio_.TakeReceived();  // what was on the way when the cable went is lost
    radio_.Send(b, n);
  }
  std::vector<std::uint8_t> TakeReceived() override { return radio_.TakeReceived(); }
  void WaitReadable(int ms) override {
    radio_.WaitReadable(ms);
    if (pulled_ || radio_.sent().size() < frames_) return;
    pulled_ = true;
    radio_.Close();
    radio_.refuse_open = missing_;
  }

 private:
  sim::VirtualRadio& radio_;
  std::size_t frames_;
  std::string missing_;
  bool pulled_ = false;
};

// A cable pulled mid-transfer is named at the first failure, with why the
// port does not open again; the packet it stopped at is still said.
TEST(Transfers, APortThatWentAwayIsNamedAtTheFirstFailure) {
  const struct {
    const char* what;
    bool write;
    std::size_t frames;
    const char* missing;  // "" : the device is back at once
    const char* lost;     // in the first prompt
    const char* packet;
  } cases[] = {
      {"read, device gone", false, 22, "no such device", "cannot open virtual COM1: no such device",
       "接收第 21 个数据包"},
      {"write, device gone", true, 12, "no such device", "cannot open virtual COM1: no such device",
       "传输第 11 个数据包"},
      {"read, device back", false, 22, "", "串口 virtual COM1 在传输中断开过, 现在又可以打开了", "接收第 21 个数据包"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Rig rig;
    PulledCable cable(rig.radio, c.frames, c.missing);
    SerialLink link(cable, rig.clock, rig.events, rig.files);
    rig.radio.ClearSent();
    rig.ui.answers = {true, false};
    const TransferResult result =
        c.write ? OnWriteRadio(rig.view, link, {.verify = false}) : OnReadRadio(rig.view, link);
    EXPECT_EQ(result, TransferResult::Failed);
    ASSERT_EQ(rig.ui.prompts.size(), 2u);
    const std::string& first = rig.ui.prompts[1].text;
    EXPECT_NE(first.find(c.lost), std::string::npos) << first;
    EXPECT_EQ(first.find("串口在传输中断开了") != std::string::npos, *c.missing != 0) << first;
    EXPECT_NE(first.find(c.packet), std::string::npos) << first;
    // On one line for the command line and the batch log: the port first.
    const std::string cause = MakeFailure(TransferFailure::Kind::ReadPacket, first).cause;
    EXPECT_EQ(cause.find_first_of("\n\t"), std::string::npos);
    EXPECT_LT(cause.find(c.lost), cause.find(c.packet)) << cause;
    EXPECT_EQ(link.TakePortLoss(), "");  // named once
  }
  // Once the cable is back, a retry starts over and the read completes.
  Rig rig;
  PulledCable cable(rig.radio, 22, "no such device");
  SerialLink link(cable, rig.clock, rig.events, rig.files);
  rig.ui.answers = {true, true};
  rig.ui.on_prompt = [&](const std::string&) { rig.radio.refuse_open.clear(); };
  EXPECT_EQ(OnReadRadio(rig.view, link), TransferResult::Done);
  ASSERT_EQ(rig.ui.prompts.size(), 2u) << rig.ui.prompts.back().text;
  EXPECT_NE(rig.ui.prompts[1].text.find("no such device"), std::string::npos);
}

// A stop before writing is taken until the first data packet goes out and
// then refused, so a write once begun is finished; one taken sends none,
// even when asked for before the transfer begins.
TEST(WriteRadio, AStopBeforeWritingHoldsOnlyUntilTheFirstPacket) {
  struct Case {
    const char* what;
    bool keep_radio_image;
    std::size_t stop_after;  // frames sent; 0: before the transfer
    bool taken;
  } cases[] = {
      {"during the read before the write", true, 3, true},
      {"after the write handshake", false, 1, true},
      {"before the transfer", false, 0, true},
      {"after packet 5", false, 6, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Rig rig;
    rig.radio.ClearSent();
    rig.ui.answers = {true, false};
    std::optional<bool> taken;
    if (c.stop_after == 0) taken = rig.link.RequestCancelBeforeWriting();
    rig.link.idle_hook = [&] {
      if (!taken && rig.radio.sent().size() >= c.stop_after) taken = rig.link.RequestCancelBeforeWriting();
    };
    const TransferResult result =
        OnWriteRadio(rig.view, rig.link, {.verify = false, .keep_radio_image = c.keep_radio_image});
    ASSERT_TRUE(taken.has_value());
    EXPECT_EQ(*taken, c.taken);
    const auto sent = rig.Sent();
    const auto packets =
        std::count_if(sent.begin(), sent.end(), [](const Bytes& f) { return f.size() == 20 && f[0] == 'W'; });
    EXPECT_EQ(packets, c.taken ? 0 : 48);
    EXPECT_EQ(result, c.taken ? TransferResult::Failed : TransferResult::Done);
    EXPECT_EQ(rig.link.writing_started(), !c.taken);
    EXPECT_EQ(rig.radio.radio().completed_writes(), c.taken ? 0 : 1);
    EXPECT_EQ(rig.link.report.cancelled, c.taken);
    EXPECT_EQ(rig.link.report.packets_written, c.taken ? 0 : 48);
    // Asked again, the answer stands.
    EXPECT_EQ(rig.link.RequestCancelBeforeWriting(), c.taken);
  }
}

// A prompt shown in English is cut at its question as the Chinese one is.
TEST(WriteRadio, AFailureLineNamesTheCauseInEitherLanguage) {
  EXPECT_EQ(FailureCause(LinkText(kHandshakeFailed)), "握手过程发生通讯错误/超时连接");
  SetTextTranslator([](const char*, const char* text) -> std::string {
    return std::string_view(text) == "需要重试吗" ? "Try again" : text;
  });
  const std::string cause = FailureCause(
      "\n\tNo answer or a wrong answer to the handshake. Try again? \t\t\n\n\t (   Y: Retry      N: Back   ) ?\n");
  SetTextTranslator(nullptr);
  EXPECT_EQ(cause, "No answer or a wrong answer to the handshake.");
  EXPECT_EQ(FailureCause("a \r\n  b \r\n"), "a b");  // every run of blanks is one space
}

// What the radio held is read and kept before a byte of the write goes in;
// without that copy nothing is written. A radio is asked four handshake
// times before it counts as silent.
TEST(WriteRadio, TheRadiosOwnSettingsAreKeptFirst) {
  for (const int unanswered : {0, 3, -1}) {  // handshakes the radio lets pass; -1: all
    const bool radio_answers = unanswered >= 0;
    Rig rig;
    sim::RadioImage held = rig.ScreenImage();
    held[0x20] ^= 0x5A;
    rig.radio.radio().set_image(held);
    rig.radio.radio().set_model(2);  // another model: its settings would be lost
    if (unanswered) rig.radio.radio().faults.silent_from = 0;
    if (unanswered > 0)
      rig.link.idle_hook = [&rig, unanswered] {
        if (rig.radio.sent().size() >= static_cast<std::size_t>(unanswered)) rig.radio.radio().faults.silent_from = {};
      };
    rig.radio.ClearSent();
    rig.ui.answers = {true, radio_answers};  // write; yes to the other model, no to a retry
    const TransferResult result = OnWriteRadio(rig.view, rig.link, {.verify = false, .keep_radio_image = true});
    const auto sent = rig.Sent();
    const auto kept = BackupsOf(rig, "before-write-KV16U-");
    EXPECT_EQ(std::count(sent.begin(), sent.end(), B("PWrite", 0)), radio_answers ? 1 : 0) << radio_answers;
    if (!radio_answers) {
      EXPECT_EQ(result, TransferResult::Failed);
      EXPECT_TRUE(kept.empty());
      ASSERT_GE(rig.ui.prompts.size(), 2u);
      EXPECT_EQ(rig.ui.prompts[1].text.rfind(kBeforeWriteReadFailedLead, 0), 0u) << rig.ui.prompts[1].text;
      continue;
    }
    ASSERT_EQ(result, TransferResult::Done);
    ASSERT_EQ(kept.size(), 1u);
    ASSERT_EQ(sent.size(), unanswered + 1u + 16u + 33u + 49u);
    EXPECT_EQ(sent[unanswered], B("PRead", 0));
    EXPECT_EQ(sent[unanswered + 50], B("PWrite", 0));
    EXPECT_EQ(ReadBytes(kept[0].string()), std::string(held.begin(), held.end()));
    EXPECT_NE(WriteSummary(result, rig.link.report).find("backups/" + kept[0].filename().string()), std::string::npos);
  }
}

// A radio's model code, tag and signature are its own: a write that read it
// first sends them back and says they differ from the configured ones; a
// radio that holds no image, or one not read first, gets the configured ones.
TEST(WriteRadio, ARadioKeepsItsOwnIdentityTexts) {
  const std::string own("ABC123\x64\x01\x00XYZ\x20\x05\x06\x18MAKERS OWN SIGNATURE TEXT 1.0 99", 48);
  ASSERT_EQ(own.size(), 48u);
  const struct {
    bool holds_image, read_first, kept;
  } cases[] = {{true, true, true}, {true, false, false}, {false, true, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.holds_image) + std::to_string(c.read_first));
    Rig rig;
    const sim::RadioImage configured = rig.ScreenImage();
    sim::RadioImage held = configured;
    std::copy(own.begin(), own.end(), held.begin() + 0x2D0);
    if (!c.holds_image) held.fill(0xFF);
    rig.radio.radio().set_image(held);
    rig.ui.answers = {true};
    ASSERT_EQ(OnWriteRadio(rig.view, rig.link, {.verify = true, .keep_radio_image = c.read_first}),
              TransferResult::Done);
    const auto& now = rig.radio.radio().image();
    EXPECT_EQ(std::string(now.begin() + 0x2D0, now.end()),
              c.kept ? own : std::string(configured.begin() + 0x2D0, configured.end()));
    EXPECT_TRUE(std::equal(now.begin(), now.begin() + 0x2D0, configured.begin()));  // the rest is the screen's
    const std::string summary = WriteSummary(TransferResult::Done, rig.link.report);
    EXPECT_EQ(summary.find("\"ABC123\", \"XYZ\", 厂家签名 \"MAKERS OWN SIGNATURE TEXT 1.0 99\"") != std::string::npos,
              c.kept)
        << summary;
    EXPECT_EQ(summary.find("已原样保留") != std::string::npos, c.kept) << summary;
    // The image kept before sending is what went in.
    const auto sent = BackupsOf(rig, "write-");
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(ReadBytes(sent[0].string()), std::string(now.begin(), now.end()));
  }
}

// A retry after the radio was read keeps the radio's identity too.
TEST(WriteRadio, ARetryKeepsTheRadiosIdentityAsTheFirstAttemptDid) {
  const std::string own("ABC123\x64\x01\x00XYZ\x20\x05\x06\x18MAKERS OWN SIGNATURE TEXT 1.0 99", 48);
  Rig rig;
  sim::RadioImage held = rig.ScreenImage();
  std::copy(own.begin(), own.end(), held.begin() + 0x2D0);
  rig.radio.radio().set_image(held);
  rig.ui.answers = {true, true};
  WriteRadioOptions options;
  options.keep_radio_image = true;
  // Once the radio was read, the write's first attempt is cut short at packet 10.
  options.review_changes = [&](const kavir::Setup*, const kavir::Setup&) {
    rig.radio.answer_budget = 20 + 9 * 5 + 2;  // the handshake's answer, nine acknowledgements, two bytes
    return true;
  };
  rig.ui.on_prompt = [&](const std::string&) { rig.radio.answer_budget = -1; };
  ASSERT_EQ(OnWriteRadio(rig.view, rig.link, options), TransferResult::Done);
  ASSERT_EQ(rig.ui.prompts.size(), 2u);  // the confirmation, then the packet that failed
  const auto& now = rig.radio.radio().image();
  EXPECT_EQ(std::string(now.begin() + 0x2D0, now.end()), own);
}

// After the read before the write: what the radio holds beside what goes
// in, as a read would show it; No sends nothing and keeps Write.ini.
TEST(WriteRadio, AWriteGoesOnOnlyAfterItsChangesAreReviewed) {
  Rig rig;
  MarkOld(rig.files.write_ini);
  kavir::Setup planned = rig.view.setup();
  const std::string radio_power = planned.channel(3)[ChannelField::TxPower];
  const std::string radio_rx5 = PadFrequency(planned.channel(5)[ChannelField::RxFreq]);
  const std::vector<std::string>& powers = rig.view.channel_lists.tx_power;
  ASSERT_GE(powers.size(), 2u);
  const std::string other_power = powers[0] == radio_power ? powers[1] : powers[0];
  planned.channel(3)[ChannelField::TxPower] = other_power;
  planned.channel(5)[ChannelField::RxFreq] = "146.11250";
  ASSERT_TRUE(rig.view.ApplySetup(planned));
  for (const bool go_on : {false, true}) {
    SCOPED_TRACE(go_on);
    rig.radio.ClearSent();
    rig.ui.answers = {true};
    std::vector<std::string> seen;
    bool radio_known = false;
    WriteRadioOptions options;
    options.keep_radio_image = true;
    options.review_changes = [&](const kavir::Setup* radio, const kavir::Setup& next) {
      radio_known = radio != nullptr;
      if (radio)
        for (const SetupDifference& d : CompareSetups(*radio, next)) seen.push_back(ChangeLine(d));
      return go_on;
    };
    EXPECT_EQ(OnWriteRadio(rig.view, rig.link, options), go_on ? TransferResult::Done : TransferResult::Cancelled);
    EXPECT_TRUE(radio_known);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], "CH03 发射功率: " + radio_power + " → " + other_power);
    EXPECT_EQ(seen[1], "CH05 接收频率: " + radio_rx5 + " → 146.11250");
    const std::vector<Bytes> sent = rig.Sent();
    const bool handshake_sent = std::count(sent.begin(), sent.end(), B("PWrite", 0)) > 0;
    EXPECT_EQ(handshake_sent, go_on);
    EXPECT_EQ(rig.radio.radio().completed_writes(), go_on ? 1 : 0);
    EXPECT_EQ(ReadIniFile(rig.files.write_ini).GetString("Previous", "Type", "", 20) == "OLD", !go_on);
  }
  // Now the radio holds it: nothing differs.
  rig.ui.answers = {true};
  std::size_t differences = 99;
  WriteRadioOptions again;
  again.verify = false, again.keep_radio_image = true;
  again.review_changes = [&](const kavir::Setup* radio, const kavir::Setup& next) {
    differences = radio ? CompareSetups(*radio, next).size() : 99;
    return false;
  };
  EXPECT_EQ(OnWriteRadio(rig.view, rig.link, again), TransferResult::Cancelled);
  EXPECT_EQ(differences, 0u);
}

// 768 bytes that are no radio's image (never programmed, or a wrong fixed
// byte) are kept in backups/ and named; Read.ini and the screen stay.
TEST(ReadRadio, BytesThatAreNoRadioImageAreKeptButNotShown) {
  const struct {
    const char* what;
    int address;
    std::uint8_t value;
    const char* named;
  } cases[] = {{"never programmed", -1, 0xFF, "从未写入过数据"}, {"a wrong fixed byte", 0x2A5, 0x00, "0x2A5"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Rig rig;
    MarkOld(rig.files.read_ini);
    sim::RadioImage held = rig.ScreenImage();
    if (c.address < 0)
      held.fill(c.value);
    else
      held[c.address] = c.value;
    rig.radio.radio().set_image(held);
    const std::string cell = rig.view.Cell(1, 1).text;
    rig.ui.answers = {true};
    EXPECT_EQ(OnReadRadio(rig.view, rig.link), TransferResult::Failed);
    EXPECT_EQ(rig.ReadIniValue("Type"), "OLD");
    EXPECT_EQ(rig.view.Cell(1, 1).text, cell);
    ASSERT_EQ(rig.ui.errors.size(), 1u);
    EXPECT_NE(rig.ui.errors[0].find(c.named), std::string::npos) << rig.ui.errors[0];
    const auto kept = BackupsOf(rig, "read-");
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(ReadBytes(kept[0].string()), std::string(held.begin(), held.end()));
    EXPECT_NE(rig.ui.errors[0].find(kept[0].filename().string()), std::string::npos);
    EXPECT_EQ(ReadSummary(TransferResult::Failed, rig.link.report, rig.view.setup(), ""),
              "读出的不是电台数据：屏幕上的数据没有改变。");
  }
}

// The verify: a radio that stores what it was sent passes; one that stores a
// wrong byte fails with the byte named; the read-back waits for a radio that
// is restarting, and gives up after a few seconds.
TEST(VerifyDifferences, AreListedUpToTheLimitThenCounted) {
  const std::vector<ImageDifference> d = {{0x10, 1, 2, "CH01"}, {0x11, 3, 4, "CH01"}, {0x12, 5, 6, "CH02"}};
  const std::string two = DescribeDifferences(d, 2);
  EXPECT_EQ(std::count(two.begin(), two.end(), '\n'), 3) << two;
  EXPECT_NE(two.find("011 CH01"), std::string::npos) << two;
  EXPECT_EQ(two.find("012 CH02"), std::string::npos) << two;
  EXPECT_NE(two.find("另有 1 个"), std::string::npos) << two;
  EXPECT_EQ(DescribeDifferences(d, 1).find("011"), std::string::npos);
}

TEST(WriteRadio, VerifyPassesFailsWithTheByteNamedOrWaitsForTheRestart) {
  struct Case {  // restart_ms: the radio is silent this long after the write; owner: of the corrupted byte, or why
    std::optional<int> corrupt;
    int restart_ms;
    WriteOutcome outcome;
    const char* owner;
    int wrong_address = 0;
    int short_packet = 0;
    std::optional<int> silent_read_from = {};  // in the read-back only
    int model_after = 0;                       // another radio, of this model, answers the read-back
  } cases[] = {
      {std::nullopt, 0, WriteOutcome::Done, ""},
      {std::nullopt, 2500, WriteOutcome::Done, ""},
      {std::nullopt, 60000, WriteOutcome::NotVerified, "电台在 5 秒内没有回答读出握手"},
      {std::nullopt, 0, WriteOutcome::NotVerified, "第 05 个数据包的地址不对", 5},  // right page, wrong offset
      {std::nullopt, 0, WriteOutcome::NotVerified, "第 20 个数据包不完整 (12 字节)", 0, 20},
      {std::nullopt, 0, WriteOutcome::NotVerified, "第 03 个数据包没有收到", 0, 0, 3},
      {std::nullopt, 0, WriteOutcome::NotVerified, "第 17 个数据包没有收到", 0, 0, 17},
      {std::nullopt, 0, WriteOutcome::NotVerified, "读回时回答的电台是第 2 号机型", 0, 0, {}, 2},
      {100, 0, WriteOutcome::VerifyDiffers, "CH07 接收信令"},            // 0x064: channel 7, receive tone
      {0x10A, 0, WriteOutcome::VerifyDiffers, "功能设置 发射定时限制"},  // block A byte 10
      {0x113, 0, WriteOutcome::VerifyDiffers, "报警模式选择"},           // block B byte 3 holds several settings
      {0x299, 0, WriteOutcome::VerifyDiffers, "机型"},
      {0, 0, WriteOutcome::VerifyDiffers, "CH01 接收频率"},  // the first byte is compared too
      {0x2E5, 0, WriteOutcome::VerifyDiffers, "厂家签名"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.restart_ms) + " " + c.owner);
    Rig rig;
    rig.radio.radio().faults.corrupt_store = c.corrupt;
    rig.radio.radio().faults.wrong_address_packet = c.wrong_address;
    rig.radio.radio().faults.short_packet = c.short_packet;
    const sim::RadioImage sent = rig.ScreenImage();
    std::int64_t written_at = -1;
    rig.link.idle_hook = [&] {
      auto& radio = rig.radio.radio();
      if (radio.completed_writes() == 1 && written_at < 0) written_at = rig.clock.NowMs();
      const bool restarting = written_at >= 0 && rig.clock.NowMs() - written_at < c.restart_ms;
      radio.faults.silent_from = restarting        ? std::optional<int>(0)
                                 : written_at >= 0 ? c.silent_read_from
                                                   : std::nullopt;
      if (written_at >= 0 && c.model_after) radio.set_model(c.model_after);
    };
    rig.radio.ClearSent();
    rig.ui.answers = {true, false};  // write; then No to trying the read-back again
    WriteImageResult details;
    const TransferResult result = OnWriteRadio(rig.view, rig.link, {}, &details);
    EXPECT_EQ(result == TransferResult::Done, c.outcome == WriteOutcome::Done);
    EXPECT_EQ(details.outcome, c.outcome);
    if (c.outcome == WriteOutcome::Done) {
      EXPECT_TRUE(rig.ui.errors.empty());
      EXPECT_TRUE(BackupsOf(rig, "verify-read").empty());
      EXPECT_EQ(LastStatus(rig), kVerifiedStatus);
      // Progress runs through both transfers, 98 steps; the read-back is a fresh session.
      std::vector<std::string> begins;
      for (const std::string& e : rig.ui.progress)
        if (e.rfind("begin:", 0) == 0) begins.push_back(e.substr(e.rfind(':', e.rfind(':') - 1)));
      EXPECT_EQ(begins.front(), ":98:1");
      EXPECT_EQ(begins.back(), ":98:98");
      if (c.restart_ms) continue;
      // Write handshake, 48 packets, then a read: handshake, 16 requests, 33 acknowledgements.
      ASSERT_EQ(rig.Sent().size(), 1u + 48u + 1u + 16u + 33u);
      EXPECT_EQ(begins.size(), 98u);  // a radio that answers at once is waited for once a step
      EXPECT_EQ(rig.Sent()[49], B("PRead", 0));
      continue;
    }
    EXPECT_EQ(LastStatus(rig), "写入后校验失败!");  // the packets went out: the screen is back, and says so
    if (c.outcome == WriteOutcome::NotVerified) {
      EXPECT_EQ(rig.ui.prompts.back().text.rfind(kVerifyReadFailedLead + std::string(c.owner), 0), 0u);
      if (c.restart_ms) {
        EXPECT_GE(rig.ui.prompts.back().at_ms - written_at, kVerifyHandshakeMs);
        EXPECT_LT(rig.ui.prompts.back().at_ms - written_at, kVerifyHandshakeMs + 1000);
      }
      continue;
    }
    ASSERT_EQ(details.verify.differences.size(), 1u);
    const ImageDifference& d = details.verify.differences[0];
    const auto& held = rig.radio.radio().image();
    EXPECT_EQ(d.address, *c.corrupt);
    EXPECT_EQ(d.sent, sent[*c.corrupt]);
    EXPECT_EQ(d.read_back, held[*c.corrupt]);
    // The user is told which byte, and both images are kept as they were.
    ASSERT_EQ(rig.ui.errors.size(), 1u);
    char address[8], bytes[40];  // bytes in two digits, 0x05 not 0x5
    std::snprintf(address, sizeof address, "0x%03X", *c.corrupt);
    std::snprintf(bytes, sizeof bytes, ": 写入 0x%02X, 读回 0x%02X\n", d.sent, d.read_back);
    EXPECT_NE(rig.ui.errors[0].find(address), std::string::npos) << rig.ui.errors[0];
    EXPECT_NE(rig.ui.errors[0].find(bytes), std::string::npos) << rig.ui.errors[0];
    EXPECT_NE(rig.ui.errors[0].find(c.owner), std::string::npos);
    const auto sent_files = BackupsOf(rig, "verify-sent"), read_files = BackupsOf(rig, "verify-read");
    ASSERT_EQ(sent_files.size(), 1u);
    ASSERT_EQ(read_files.size(), 1u);
    EXPECT_EQ(ReadBytes(sent_files[0].string()), std::string(sent.begin(), sent.end()));
    EXPECT_EQ(ReadBytes(read_files[0].string()), std::string(held.begin(), held.end()));
  }
}

// The read-back asks a radio that does not answer yet again and again until
// its deadline, each try one handshake time-out long but never shorter than
// 20 ms, so a radio that is restarting is not flooded.
TEST(ReadBack, AsksASilentRadioOncePerHandshakeTimeOutUntilTheDeadline) {
  struct Case {
    const char* shk;
    int gap_ms;
    std::size_t frames;
  } cases[] = {
      {"80", 80, 13},  // at 0, 80 ... 960; the wait after the last ends past 1000
      {"5", 20, 50},
      {"0", 80, 13},  // no wait is no use: the default
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shk);
    Rig rig;
    ASSERT_TRUE(rig.view.config().Change([&](IniDocument& ini) { ini.SetString("WaitFor", "Shk", c.shk); }));
    rig.link.set_config(rig.view.config());
    rig.radio.radio().faults.silent_from = 0;
    rig.radio.ClearSent();
    const VerifyResult result = ReadBackImage(rig.link, {}, 1000);
    EXPECT_EQ(result.outcome, VerifyResult::Outcome::NoReadBack);
    EXPECT_EQ(result.failure, "电台在 1 秒内没有回答读出握手");
    EXPECT_EQ(rig.Sent(), std::vector<Bytes>(c.frames, B("PRead", 0)));
    const auto& sent = rig.radio.sent();
    for (std::size_t i = 1; i < sent.size(); ++i) EXPECT_EQ(sent[i].at_ms - sent[i - 1].at_ms, c.gap_ms) << i;
  }
}

TEST(Backups, AreNamedByKindModelClockNeverOverwritten) {
  ScopedTimeZone china("CST-8");
  ShippedDir folder;
  BackupImage one, two;
  for (std::size_t i = 0; i < one.size(); ++i) one[i] = static_cast<std::uint8_t>(i * 7 + 1), two[i] = one[i] + 1;
  std::string first, second;
  // 2026-12-07 23:30:05 UTC is 07:30:05 on the 8th in UTC+8, the local time here.
  ASSERT_TRUE(SaveBackup(folder.path(), "read", "KV16V", one, 1796686205, &first));
  ASSERT_TRUE(SaveBackup(folder.path(), "read", "KV16V", two, 1796686205, &second));
  EXPECT_EQ(fs::path(first).lexically_relative(folder.path()).generic_string(),
            "backups/read-KV16V-20261208-073005.bin");
  EXPECT_EQ(ReadBytes(first), std::string(one.begin(), one.end()));
  EXPECT_EQ(ReadBytes(second), std::string(two.begin(), two.end()));
}

TEST(Backups, AModelNameBecomesAFileName) {
  struct {
    const char *model, *name;
  } names[] = {{"a/b\\c:d", "a_b_c_d"}, {"K~V\x7F", "K~V_"}, {"K V\x1F!", "K V_!"}, {"", "unknown"}, {"..", "unknown"}};
  for (const auto& n : names) EXPECT_EQ(BackupModelName(n.model), n.name);
}

// Two programs in one folder back up in the same second: each keeps its own
// file under a name of its own, whole; a taken name is never replaced.
TEST(Backups, ManySavedAtOnceInOneSecondAreAllKeptWhole) {
  ShippedDir folder;
  constexpr int kThreads = 8, kEach = 8;
  auto image_of = [](int id) {
    BackupImage image;
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(id * 31 + i);
    return image;
  };
  std::atomic<int> ready{0};
  std::vector<std::vector<std::string>> paths(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([&, t] {
      for (++ready; ready < kThreads;) std::this_thread::yield();  // all start together
      for (int k = 0; k < kEach; ++k) {
        std::string path;
        const IoStatus saved = SaveBackup(folder.path(), "read", "KV16V", image_of(t * kEach + k), 1796686205, &path);
        EXPECT_TRUE(saved) << saved.Message();
        paths[t].push_back(path);
      }
    });
  for (auto& t : threads) t.join();

  std::set<std::string> names;
  for (int t = 0; t < kThreads; ++t)
    for (int k = 0; k < kEach; ++k) {
      const BackupImage image = image_of(t * kEach + k);
      EXPECT_EQ(ReadBytes(paths[t][k]), std::string(image.begin(), image.end())) << paths[t][k];
      names.insert(fs::path(paths[t][k]).filename().string());
    }
  // The names are the first ones free: -2, -3 ... up to the count, and nothing else is left.
  std::set<std::string> expected{"read-KV16V-" + LocalFileStamp(1796686205) + ".bin"};
  for (int i = 2; i <= kThreads * kEach; ++i)
    expected.insert("read-KV16V-" + LocalFileStamp(1796686205) + "-" + std::to_string(i) + ".bin");
  EXPECT_EQ(names, expected);
  std::set<std::string> on_disk;
  for (const auto& e : fs::directory_iterator(fs::path(folder.path()) / "backups"))
    on_disk.insert(e.path().filename().string());
  EXPECT_EQ(on_disk, expected);
}

TEST(Backups, WhenEveryNameIsTakenNothingIsReplaced) {
  ShippedDir folder;
  const std::string base = JoinPath(JoinPath(folder.path(), "backups"), "write-KV16U-" + LocalFileStamp(1796686205));
  fs::create_directories(fs::path(folder.path()) / "backups");
  WriteBytes(base + ".bin", "first");
  for (int i = 2; i <= 999; ++i) WriteBytes(base + "-" + std::to_string(i) + ".bin", "old");
  BackupImage image{};
  std::string path = "unchanged";
  const IoStatus saved = SaveBackup(folder.path(), "write", "KV16U", image, 1796686205, &path);
  EXPECT_FALSE(saved);
  EXPECT_NE(saved.Message().find("nothing was replaced"), std::string::npos) << saved.Message();
  EXPECT_EQ(path, "unchanged");
  EXPECT_EQ(ReadBytes(base + ".bin"), "first");
  EXPECT_EQ(ReadBytes(base + "-999.bin"), "old");
  EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(folder.path()) / "backups"), fs::directory_iterator{}), 999);
}

TEST(Backups, TheLastNameIsTakenWhenOnlyItIsFree) {
  ShippedDir folder;
  const std::string base = JoinPath(JoinPath(folder.path(), "backups"), "read-KV16U-" + LocalFileStamp(1796686205));
  fs::create_directories(fs::path(folder.path()) / "backups");
  WriteBytes(base + ".bin", "first");
  for (int i = 2; i < 999; ++i) WriteBytes(base + "-" + std::to_string(i) + ".bin", "old");
  BackupImage image{};
  std::string path;
  EXPECT_TRUE(SaveBackup(folder.path(), "read", "KV16U", image, 1796686205, &path));
  EXPECT_EQ(path, base + "-999.bin");
}

// When keeping the set-up fails, the message names the file by its name.
TEST(KeepFailureText, NamesTheFileThatFailedOrElseWriteIni) {
  const WorkingFiles files = WorkingFiles::FromDirectory("/prog");
  const std::string kavir = KeepFailureText(files, IoStatus::Fail("/prog/KAVIR.ini", "is read-only"));
  EXPECT_EQ(kavir.rfind("KAVIR.ini ", 0), 0u) << kavir;
  const std::string write = KeepFailureText(files, IoStatus::Fail("", "no room"));
  EXPECT_EQ(write.rfind("Write.ini ", 0), 0u) << write;
}

}  // namespace
}  // namespace kavir::test
