// The read against the in-process radio: what goes out, in which order, what
// every failure and a Cancel do, and the files a failed read leaves.
#include <gtest/gtest.h>

#include <functional>

#include "link/radio_texts.h"
#include "link/transactions.h"
#include "link/transfer_summary.h"
#include "profile/profile_keys.h"
#include "radio_rig.h"

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

void MarkReadIni(Rig& rig) {  // something from before, to see it kept
  IniDocument doc;
  doc.SetString("Previous", "Type", "OLD");
  doc.SetString("Previous", "CH01.RxFreq", "999.99999");
  ASSERT_TRUE(WriteIniFile(rig.files.read_ini, doc));
}

// What a failed read left aside (Read.ini keeps the last complete read).
std::string PartialValue(const Rig& rig, const std::string& key) {
  return ReadIniFile(PartialReadPath(rig.files)).GetString("Previous", key, "<missing>", 260);
}

std::vector<fs::path> Backups(const Rig& rig) {
  std::vector<fs::path> out;
  const fs::path dir = fs::path(rig.folder.path()) / "backups";
  if (fs::exists(dir))
    for (const auto& e : fs::directory_iterator(dir)) out.push_back(e.path());
  return out;
}

// Requests a Cancel once the radio has received `frames` frames.
void CancelAfter(Rig& rig, std::size_t frames) {
  rig.link.idle_hook = [&rig, frames] { if (rig.radio.sent().size() >= frames) rig.link.RequestCancel(); };
}

TEST(ReadRadio, CompleteReadBringsEveryKeyBackAndKeepsTheImage) {
  Rig rig;
  MarkReadIni(rig);
  rig.view.Combo("Type")->selected = 1;  // something the read must replace
  rig.radio.ClearSent();
  rig.ui.answers = {true};
  rig.ui.events.clear();
  rig.link.RequestCancel();  // left from before: a new transfer starts without it
  EXPECT_EQ(OnReadRadio(rig.view, rig.link), TransferResult::Done);
  EXPECT_EQ(rig.Sent(), kCompleteRead);
  EXPECT_EQ(rig.ui.prompts.size(), 1u);  // the confirmation only
  EXPECT_EQ(rig.ui.status.back(), "完毕!");
  EXPECT_EQ(rig.priorities, (std::vector<ThreadPriority>{ThreadPriority::TimeCritical, ThreadPriority::Normal}));
  for (const char* e : {"begin:正在接收第 16 个数据包， 请稍候.......:49:17", "begin:正在传输第 17 个数据包， 请稍候.......:49:18"})
    EXPECT_NE(std::find(rig.ui.events.begin(), rig.ui.events.end(), e), rig.ui.events.end()) << e;

  const IniDocument model = ReadIniFile(rig.files.ModelFile("KV16V"));
  for (const std::string& key : ProfileKeys())
    EXPECT_EQ(rig.ReadIniValue(key), key == "PF3S" ? "" : model.GetString("Previous", key, "<missing>", 260)) << key;
  EXPECT_EQ(rig.view.Combo("Type")->SelectedText(), "KV16V");

  const auto kept = Backups(rig);
  ASSERT_EQ(kept.size(), 1u);
  const auto& image = rig.radio.radio().image();
  EXPECT_EQ(ReadBytes(kept[0].string()), std::string(image.begin(), image.end()));
  const std::string summary = ReadSummary(TransferResult::Done, rig.link.report, rig.view);
  EXPECT_NE(summary.find("16 个信道"), std::string::npos) << summary;
  EXPECT_NE(summary.find("backups/read-KV16V-"), std::string::npos) << summary;
}

TEST(ReadRadio, EveryFailureAndCancelKeepsReadIniAndTheScreen) {
  // sent: empty, not checked; prompt: "", cancelled, no prompt after the confirmation; delay_ms: from the
  // last frame sent to the prompt (or the end), -1 not checked; ch05_missing: packets before the failing one
  // are in the partial file, it is not; error: the one message shown.
  struct Case {
    const char* what; std::function<void(Rig&)> fault; std::vector<Bytes> sent; std::string prompt; int delay_ms;
    bool ch05_missing = false; const char* error = nullptr;
  } cases[] = {
      {"silent radio: four handshakes at the time-out of KAVIR.ini",
       [](Rig& r) {
         IniDocument ini = ReadIniFile(r.files.kavir_ini);
         ini.SetString("WaitFor", "Shk", "1250");
         ASSERT_TRUE(WriteIniFile(r.files.kavir_ini, ini));
         r.radio.radio().faults.silent_from = 0;
       },
       std::vector<Bytes>(4, B("PRead", 0)), kHandshakeFailed, 1250},
      {"wrong handshake", [](Rig& r) { r.radio.radio().faults.wrong_handshake = true; }, Frames(0, 0),
       kHandshakeFailed, -1},
      {"packet 5 from another address",
       [](Rig& r) { r.radio.radio().faults.wrong_address_packet = 5; }, Frames(6, 0),
       FormatPacketText(kReadPacketFailedFormat, 5), 35 * 43 + 1, true},
      {"packet 17 silent: no acknowledgement", [](Rig& r) { r.radio.radio().faults.silent_from = 17; },
       Frames(16, 1), FormatPacketText(kReadPacketFailedFormat, 17), 4 * 80 + 20 * 31 + 1},
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
      {"model without an upper band limit", [](Rig& r) { r.radio.radio().set_model(99); }, kCompleteRead,
       kBandFailed, -1},
      {"babbling radio", [](Rig& r) { r.radio.radio().faults.flood_bytes = 600; }, {}, kHandshakeFailed, -1},
      {"unplugged cable",
       [](Rig& r) { r.radio.Close(), r.radio.refuse_open = "No such file or directory"; }, {},
       kHandshakeFailed, -1, false, "No such file or directory"},
      // A Cancel ends the wait within one 20 ms slice, not at its time-out.
      {"cancel at the handshake", [](Rig& r) { CancelAfter(r, 1); }, Frames(0, 0), "", 20},
      {"cancel while the radio sends", [](Rig& r) { CancelAfter(r, 30); }, Frames(16, 13), "", 20},
      {"cancel a silent radio", [](Rig& r) { r.radio.radio().faults.silent_from = 0, CancelAfter(r, 1); },
       Frames(0, 0), "", 20},
      {"cancel when silent at 20", [](Rig& r) { r.radio.radio().faults.silent_from = 20, CancelAfter(r, 21); },
       Frames(16, 4), "", 20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Rig rig;
    MarkReadIni(rig);
    rig.radio.radio().set_image(sim::RadioImage{});  // a read would change the screen
    const std::string cell = rig.view.grid.Text(1, 1);
    c.fault(rig);
    rig.radio.ClearSent();
    rig.ui.errors.clear();
    rig.ui.answers = {true, false};
    const std::int64_t t0 = rig.clock.NowMs();
    EXPECT_EQ(OnReadRadio(rig.view, rig.link), TransferResult::Failed);
    if (!c.sent.empty()) { EXPECT_EQ(rig.Sent(), c.sent); }
    const auto& sent = rig.radio.sent();
    for (std::size_t i = 1; i < sent.size(); ++i)  // handshakes again after the time-out
      if (sent[i].bytes == B("PRead", 0)) { EXPECT_EQ(sent[i].at_ms - sent[i - 1].at_ms, c.delay_ms) << i; }
    const bool cancelled = c.prompt.empty();
    EXPECT_EQ(rig.link.report.cancelled, cancelled);
    ASSERT_EQ(rig.ui.prompts.size(), cancelled ? 1u : 2u);
    const std::int64_t end = cancelled ? rig.clock.NowMs() : rig.ui.prompts.back().at_ms;
    EXPECT_EQ(rig.ui.prompts.back().text, cancelled ? std::string(kReadConfirm) : c.prompt);
    if (c.delay_ms >= 0 && cancelled) {
      EXPECT_LE(end - rig.radio.sent().back().at_ms, c.delay_ms);
      EXPECT_LE(end - t0, 20 * static_cast<std::int64_t>(rig.radio.sent().size()) + 40);
    }
    if (c.delay_ms >= 0 && !cancelled) { EXPECT_EQ(end - rig.radio.sent().back().at_ms, c.delay_ms); }
    if (cancelled) {
      EXPECT_NE(ReadSummary(TransferResult::Failed, rig.link.report, rig.view).find("取消"), std::string::npos);
    } else {  // what the failed read got is kept under a name that says so
      const std::string partial = ReadBytes(PartialReadPath(rig.files));
      EXPECT_TRUE(partial.rfind("; ", 0) == 0 && partial.find("incomplete") != std::string::npos);
    }
    if (c.ch05_missing) { EXPECT_TRUE(PartialValue(rig, "CH04.RxFreq") != "" && PartialValue(rig, "CH05.RxFreq") == ""); }
    EXPECT_EQ(rig.ReadIniValue("Type"), "OLD");
    ASSERT_EQ(rig.ui.errors.size(), c.error ? 1u : 0u);  // an unplugged cable is shown once
    if (c.error) { EXPECT_NE(rig.ui.errors[0].find(c.error), std::string::npos) << rig.ui.errors[0]; }
    EXPECT_EQ(rig.view.grid.Text(1, 1), cell);  // the screen is not reloaded
    EXPECT_TRUE(Backups(rig).empty());
    EXPECT_EQ(rig.priorities.back(), ThreadPriority::Normal);
    EXPECT_TRUE(rig.ui.cursors.empty() || rig.ui.cursors.back() == Cursor::Normal);  // no turning cursor left
  }
}

TEST(ReadRadio, NoSendsNothingAndYesAfterAFailureStartsOverAndRemovesThePartialFile) {
  Rig rig;
  MarkReadIni(rig);
  rig.radio.ClearSent();
  EXPECT_EQ(OnReadRadio(rig.view, rig.link), TransferResult::Cancelled);
  EXPECT_TRUE(rig.Sent().empty() && rig.priorities.empty());

  rig.radio.radio().faults.wrong_address_packet = 33;
  rig.radio.radio().faults.once = true;
  rig.radio.InjectIncoming(Bytes(40, 0x33));  // stray bytes while idle are cleared away
  rig.link.OnComm();
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

// What cannot be read or written is shown, and nothing is put in its place.
TEST(ReadRadio, FilesThatCannotBeUsedAreShown) {
  struct Case { const char* what; std::function<void(Rig&)> fault; bool reads; const char* error; } cases[] = {
      {"no KAVIR.ini: no option lists, nothing sent", [](Rig& r) { fs::remove(r.files.kavir_ini), r.view.OnInitialUpdate(&r.link); },
       false, "KAVIR.ini"},
      {"Read.ini read-only", [](Rig& r) { fs::permissions(r.files.read_ini, fs::perms::owner_read); }, true, "read-only"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Rig rig;
    MarkReadIni(rig);
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
  }
}

}  // namespace
}  // namespace kavir::test
