// The write against the in-process radio, and the raw images it keeps.
#include <gtest/gtest.h>

#include <functional>

#include "../profile/scoped_time_zone.h"
#include "link/backups.h"
#include "link/radio_texts.h"
#include "link/transactions.h"
#include "radio_rig.h"

namespace kavir::test {
namespace {

namespace fs = std::filesystem;

std::size_t BackupCount(const Rig& rig) {
  const fs::path dir = fs::path(rig.folder.path()) / "backups";
  if (!fs::exists(dir)) return 0;
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}
std::string WriteIniType(const Rig& rig) { return ReadIniFile(rig.files.write_ini).GetString("Previous", "Type", "", 20); }
void MarkWriteIni(const Rig& rig) {
  IniDocument marker;
  marker.SetString("Previous", "Type", "OLD");
  ASSERT_TRUE(WriteIniFile(rig.files.write_ini, marker));
}

TEST(WriteRadio, CompleteWriteSendsEachPacketOnceAndTheRadioGetsTheScreen) {
  Rig rig;
  const sim::RadioImage expected_image = rig.ScreenImage();
  rig.radio.radio().set_image(sim::RadioImage{});
  rig.view.ShowPage(1);
  rig.view.current_tab = 1;
  rig.radio.ClearSent();
  rig.ui.answers = {true};
  EXPECT_EQ(OnWriteRadio(rig.view, rig.link, {.verify = false}), TransferResult::Done);
  std::string confirm = kWriteConfirmFormat;
  EXPECT_EQ(rig.ui.prompts[0].text, confirm.replace(confirm.find("%s"), 2, "KV16V"));
  const auto sent = rig.Sent();
  ASSERT_EQ(sent.size(), 49u);
  EXPECT_EQ(sent[0], B("PWrite", 0));
  const IniDocument write_ini = ReadIniFile(rig.files.write_ini);
  for (int n = 1; n <= 48; ++n) {
    const Frame expected = EncodePacket(n, write_ini, rig.view);
    EXPECT_EQ(sent[n], Bytes(expected.begin(), expected.end())) << n;
  }
  EXPECT_EQ(rig.radio.radio().completed_writes(), 1);
  EXPECT_EQ(rig.radio.radio().image(), expected_image);
  EXPECT_EQ(rig.ui.status.back(), "完毕!");
  EXPECT_EQ(rig.view.shown_page, 1);
  EXPECT_EQ(rig.priorities, (std::vector<ThreadPriority>{ThreadPriority::TimeCritical, ThreadPriority::Normal}));
  EXPECT_EQ(WriteIniType(rig), "KV16V");
  EXPECT_EQ(BackupCount(rig), 1u);
  for (const char* e : {"begin:正在进行握手， 请稍候.......:49:1", "begin:正在传输第 01 个数据包， 请稍候.......:49:2",
                        "begin:正在传输第 48 个数据包， 请稍候.......:49:49"})
    EXPECT_NE(std::find(rig.ui.progress.begin(), rig.ui.progress.end(), e), rig.ui.progress.end()) << e;
}

TEST(WriteRadio, EveryRefusalAndFailureLeavesTheRadioAsItWas) {
  struct Case {
    const char* what;
    std::function<void(Rig&)> fault;
    std::deque<bool> answers;
    TransferResult result;
    std::vector<Bytes> sent;
    const char* prompt;  // last prompt, "" for none after the confirmation
    bool error;
  } cases[] = {
      {"No at the confirmation", [](Rig&) {}, {}, TransferResult::Cancelled, {}, nullptr, false},
      {"silent radio", [](Rig& r) { r.radio.radio().faults.silent_from = 0; }, {true, false}, TransferResult::Failed,
       std::vector<Bytes>(4, B("PWrite", 0)), kHandshakeFailed, false},
      {"answer that is not PM", [](Rig& r) { r.radio.radio().faults.wrong_handshake = true; }, {true, false},
       TransferResult::Failed, {B("PWrite", 0)}, kHandshakeFailed, false},
      {"another model, No", [](Rig& r) { r.radio.radio().set_model(2); }, {true, false}, TransferResult::Failed,
       {B("PWrite", 0)}, "KV16U", false},
      {"screen with wrong bytes", [](Rig& r) { r.view.band_lower.text = "174", r.view.band_upper.text = "136"; },
       {true, true}, TransferResult::Failed, {}, nullptr, true},
      {"backup folder cannot be made",
       [](Rig& r) { WriteBytes(JoinPath(r.folder.path(), "backups"), "a file where the folder should be"); }, {true},
       TransferResult::Failed, {}, "", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Rig rig;
    MarkWriteIni(rig);
    c.fault(rig);
    rig.radio.ClearSent();
    rig.ui.answers = c.answers;
    EXPECT_EQ(OnWriteRadio(rig.view, rig.link), c.result);
    EXPECT_EQ(rig.Sent(), c.sent);
    EXPECT_EQ(rig.radio.radio().completed_writes(), 0);
    if (!c.prompt) {
      EXPECT_LE(rig.ui.prompts.size(), 1u);
      if (c.error) { EXPECT_EQ(WriteIniType(rig), "OLD"); }
    } else if (*c.prompt) {
      ASSERT_EQ(rig.ui.prompts.size(), 2u);
      EXPECT_NE(rig.ui.prompts[1].text.find(c.prompt), std::string::npos) << rig.ui.prompts[1].text;
    }
    EXPECT_EQ(rig.ui.errors.size(), c.error ? 1u : 0u);
    if (c.error && c.sent.empty() && !c.prompt) {
      EXPECT_TRUE(rig.ui.prompts.empty());
      EXPECT_EQ(rig.ui.errors[0], DescribeProblems(CheckBeforeWrite(rig.view)));
    }
    if (!rig.priorities.empty()) { EXPECT_EQ(rig.priorities.back(), ThreadPriority::Normal); }
  }
}

TEST(WriteRadio, AnotherModelIsWrittenAfterYesAndARetryStoresTheScreenAgain) {
  Rig rig;
  rig.radio.radio().set_model(2);
  rig.radio.answer_budget = 20 + 20 * 5;  // stops acknowledging after packet 20
  rig.radio.ClearSent();
  rig.ui.answers = {true, true, true};
  ComboBox* timer = rig.view.Combo("TimerOut");
  ASSERT_GE(timer->options.size(), 3u);
  const std::string packet21 = FormatPacketText(kWritePacketFailedFormat, 21);
  rig.ui.on_prompt = [&](const std::string& text) {
    if (text != packet21) return;
    rig.radio.answer_budget = -1;  // the radio comes back
    timer->selected = 2;           // and the screen changed meanwhile
  };
  EXPECT_EQ(OnWriteRadio(rig.view, rig.link, {.verify = false}), TransferResult::Done);
  EXPECT_EQ(rig.ui.prompts[2].text, packet21);
  const auto sent = rig.Sent();
  ASSERT_EQ(sent.size(), 1u + 21u + 49u);  // packet 21 went out once in the first attempt
  EXPECT_EQ(sent[21][1] * 256 + sent[21][2], 16 * 20);
  EXPECT_EQ(sent[22], B("PWrite", 0));
  EXPECT_EQ(rig.ui.prompts[2].at_ms - rig.radio.sent()[21].at_ms, 4 * 80);
  EXPECT_EQ(ReadIniFile(rig.files.write_ini).GetString("Previous", "TimerOut", "", 20), timer->options[2]);
  EXPECT_EQ(rig.radio.radio().completed_writes(), 1);
}

TEST(Backups, NamedByKindModelAndClockAndNeverOverwritten) {
  ScopedTimeZone china("CST-8");
  ShippedDir folder;
  BackupImage one, two;
  for (std::size_t i = 0; i < one.size(); ++i) one[i] = static_cast<std::uint8_t>(i * 7 + 1), two[i] = one[i] + 1;
  std::string first, second;
  // 2026-12-07 23:30:05 UTC is 07:30:05 on the 8th in UTC+8, the local time here.
  ASSERT_TRUE(SaveBackup(folder.path(), "read", "KV16V", one, 1796686205, &first));
  ASSERT_TRUE(SaveBackup(folder.path(), "read", "KV16V", two, 1796686205, &second));
  EXPECT_EQ(fs::path(first).filename().string(), "read-KV16V-20261208-073005.bin");
  EXPECT_EQ(fs::path(first).parent_path().filename().string(), "backups");
  EXPECT_NE(first, second);
  EXPECT_EQ(ReadBytes(first), std::string(one.begin(), one.end()));
  EXPECT_EQ(ReadBytes(second), std::string(two.begin(), two.end()));
  struct { const char *model, *name; } names[] = {{"KV16可定义", "KV16可定义"}, {"a/b\\c:d", "a_b_c_d"}, {"", "unknown"}, {"..", "unknown"}};
  for (const auto& n : names) EXPECT_EQ(BackupModelName(n.model), n.name);
  ShippedDir blocked;
  WriteBytes(JoinPath(blocked.path(), "backups"), "a file, not a folder");
  const IoStatus status = SaveBackup(blocked.path(), "read", "KV16V", one, 1000);
  EXPECT_FALSE(status);
  EXPECT_NE(status.path.find("backups"), std::string::npos);
  EXPECT_FALSE(status.reason.empty());
}

}  // namespace
}  // namespace kavir::test
