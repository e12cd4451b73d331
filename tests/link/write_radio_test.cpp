// The write against the in-process radio.
#include <gtest/gtest.h>

#include <fstream>

#include "link/radio_texts.h"
#include "link/transactions.h"
#include "link_test_support.h"

namespace kavir::test {
namespace {

std::string PacketPrompt(int n) { return FormatPacketText(kWritePacketFailedFormat, n); }

std::string Confirm(const std::string& model) {
  std::string s = kWriteConfirmFormat;
  return s.replace(s.find("%s"), 2, model);
}

std::size_t BackupCount(const Rig& rig) {
  fs::path dir = fs::path(rig.folder.path()) / "backups";
  if (!fs::exists(dir)) return 0;
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

TEST(WriteRadio, NoAtTheConfirmationSendsNothingAndLeavesWriteIni) {
  Rig rig;
  IniDocument marker;
  marker.SetString("Previous", "Type", "OLD");
  ASSERT_TRUE(WriteIniFile(rig.files.write_ini, marker));
  rig.radio.ClearSent();
  EXPECT_EQ(OnWriteRadio(rig.view, rig.link), TransferResult::Cancelled);
  EXPECT_TRUE(rig.Sent().empty());
  ASSERT_EQ(rig.ui.prompts.size(), 1u);
  EXPECT_EQ(rig.ui.prompts[0].text, Confirm("KV16V"));
  EXPECT_EQ(ReadIniFile(rig.files.write_ini).GetString("Previous", "Type", "", 20), "OLD");
}

TEST(WriteRadio, ConfirmationWithNoModelSelectedHasEmptyParentheses) {
  Rig rig;
  rig.view.Combo("Type")->selected = -1;
  OnWriteRadio(rig.view, rig.link);
  // The check may refuse a screen without a model; if it asks, it asks so.
  if (!rig.ui.prompts.empty()) EXPECT_EQ(rig.ui.prompts[0].text, Confirm(""));
  else EXPECT_FALSE(rig.ui.errors.empty());
}

TEST(WriteRadio, CompleteWriteSendsHandshakeThenEachPacketOnceAndTheRadioGetsTheScreen) {
  Rig rig;
  sim::RadioImage expected_image = rig.ScreenImage();
  rig.radio.radio().set_image(sim::RadioImage{});
  rig.view.ShowPage(1);
  rig.view.current_tab = 1;
  rig.radio.ClearSent();
  rig.ui.answers = {true};
  EXPECT_EQ(OnWriteRadio(rig.view, rig.link, {.verify = false}), TransferResult::Done);

  auto sent = rig.Sent();
  ASSERT_EQ(sent.size(), 49u);
  EXPECT_EQ(sent[0], B("PWrite", 0));
  IniDocument write_ini = ReadIniFile(rig.files.write_ini);
  for (int n = 1; n <= 48; ++n) {
    const Bytes& f = sent[n];
    ASSERT_EQ(f.size(), 20u) << n;
    EXPECT_EQ(f[0], 0x57) << n;
    EXPECT_EQ(f[1] * 256 + f[2], 16 * (n - 1)) << n;
    EXPECT_EQ(f[3], 0x10) << n;
    Frame expected = EncodePacket(n, write_ini, rig.view);
    EXPECT_TRUE(std::equal(f.begin(), f.end(), expected.begin())) << n;
  }
  for (const auto& f : sent) EXPECT_NE(f, B("PGood"));
  EXPECT_EQ(rig.radio.radio().completed_writes(), 1);
  EXPECT_EQ(rig.radio.radio().image(), expected_image);
  EXPECT_EQ(rig.ui.status.back(), "完毕!");
  EXPECT_EQ(rig.view.current_tab, 1);
  EXPECT_EQ(rig.view.shown_page, 1);
  EXPECT_EQ(rig.priorities, (std::vector<ThreadPriority>{ThreadPriority::TimeCritical,
                                                         ThreadPriority::Normal}));
  EXPECT_EQ(ReadIniFile(rig.files.write_ini).GetString("Previous", "Type", "", 20), "KV16V");
  EXPECT_EQ(BackupCount(rig), 1u);
}

TEST(WriteRadio, ProgressShowsEachPacketNumberAtPositionNPlusOne) {
  Rig rig;
  rig.ui.answers = {true};
  rig.ui.events.clear();
  ASSERT_EQ(OnWriteRadio(rig.view, rig.link, {.verify = false}), TransferResult::Done);
  auto has = [&](const std::string& e) {
    return std::find(rig.ui.events.begin(), rig.ui.events.end(), e) != rig.ui.events.end();
  };
  EXPECT_TRUE(has(std::string("begin:") + kHandshakeStatus + ":49:1"));
  EXPECT_TRUE(has("begin:正在传输第 01 个数据包， 请稍候.......:49:2"));
  EXPECT_TRUE(has("begin:正在传输第 33 个数据包， 请稍候.......:49:34"));
  EXPECT_TRUE(has("begin:正在传输第 48 个数据包， 请稍候.......:49:49"));
}

TEST(WriteRadio, RadioThatStopsAcknowledgingAfterTwentyGetsPrompt21AndYesStoresAgain) {
  Rig rig;
  rig.radio.answer_budget = 20 + 20 * 5;
  rig.radio.ClearSent();
  rig.ui.answers = {true, true};
  ComboBox* timer = rig.view.Combo("TimerOut");
  ASSERT_NE(timer, nullptr);
  ASSERT_GE(timer->options.size(), 3u);
  rig.ui.on_prompt = [&](const std::string& text) {
    if (text != PacketPrompt(21)) return;
    rig.radio.answer_budget = -1;  // the radio comes back
    timer->selected = 2;           // and the screen changed meanwhile
  };
  EXPECT_EQ(OnWriteRadio(rig.view, rig.link, {.verify = false}), TransferResult::Done);
  ASSERT_EQ(rig.ui.prompts.size(), 2u);
  EXPECT_EQ(rig.ui.prompts[1].text, PacketPrompt(21));
  auto sent = rig.Sent();
  ASSERT_EQ(sent.size(), 1u + 21u + 49u);
  EXPECT_EQ(sent[22], B("PWrite", 0));
  EXPECT_EQ(sent[23][2], 0x00);  // packet 1 again
  // Within the first attempt packet 21 went out once: no resend.
  EXPECT_EQ(sent[21][1] * 256 + sent[21][2], 16 * 20);
  EXPECT_EQ(ReadIniFile(rig.files.write_ini).GetString("Previous", "TimerOut", "", 20),
            timer->options[2]);
  // Four waits of 80 ms between packet 21 and the prompt.
  EXPECT_EQ(rig.ui.prompts[1].at_ms - rig.radio.sent()[21].at_ms, 4 * 80);
}

TEST(WriteRadio, SilentRadioFailsTheHandshakeAndNoPacketGoesOut) {
  Rig rig;
  rig.radio.radio().faults.silent_from = 0;
  rig.radio.ClearSent();
  rig.ui.answers = {true, false};
  EXPECT_EQ(OnWriteRadio(rig.view, rig.link), TransferResult::Failed);
  EXPECT_EQ(rig.Sent(), std::vector<Bytes>(4, B("PWrite", 0)));
  EXPECT_EQ(rig.ui.prompts.back().text, kHandshakeFailed);
}

TEST(WriteRadio, AnswerThatIsNotPMIsAHandshakeFailure) {
  Rig rig;
  rig.radio.radio().faults.wrong_handshake = true;
  rig.radio.ClearSent();
  rig.ui.answers = {true, false};
  EXPECT_EQ(OnWriteRadio(rig.view, rig.link), TransferResult::Failed);
  EXPECT_EQ(rig.Sent(), std::vector<Bytes>{B("PWrite", 0)});
  EXPECT_EQ(rig.radio.radio().completed_writes(), 0);
}

TEST(WriteRadio, RadioOfAnotherModelIsAskedAboutAndNoWritesNothing) {
  Rig rig;
  rig.radio.radio().set_model(2);  // KV16U; the screen shows KV16V
  rig.radio.ClearSent();
  rig.ui.answers = {true, false};
  EXPECT_EQ(OnWriteRadio(rig.view, rig.link), TransferResult::Failed);
  ASSERT_EQ(rig.ui.prompts.size(), 2u);
  EXPECT_EQ(rig.ui.prompts[1].caption, "提示信息!");
  EXPECT_NE(rig.ui.prompts[1].text.find("KV16U"), std::string::npos);
  EXPECT_NE(rig.ui.prompts[1].text.find("KV16V"), std::string::npos);
  EXPECT_EQ(rig.Sent(), std::vector<Bytes>{B("PWrite", 0)});
  EXPECT_EQ(rig.radio.radio().completed_writes(), 0);
}

TEST(WriteRadio, RadioOfAnotherModelIsWrittenAfterYes) {
  Rig rig;
  rig.radio.radio().set_model(2);
  rig.ui.answers = {true, true};
  EXPECT_EQ(OnWriteRadio(rig.view, rig.link), TransferResult::Done);
  EXPECT_EQ(rig.radio.radio().completed_writes(), 1);
}

TEST(WriteRadio, ScreenThatWouldPutWrongBytesIntoTheRadioIsRefusedBeforeAnythingIsSent) {
  Rig rig;
  IniDocument marker;
  marker.SetString("Previous", "Type", "OLD");
  ASSERT_TRUE(WriteIniFile(rig.files.write_ini, marker));
  rig.view.band_lower.text = "174";
  rig.view.band_upper.text = "136";
  rig.radio.ClearSent();
  rig.ui.answers = {true, true};
  EXPECT_EQ(OnWriteRadio(rig.view, rig.link), TransferResult::Failed);
  EXPECT_TRUE(rig.Sent().empty());
  EXPECT_TRUE(rig.ui.prompts.empty());
  ASSERT_EQ(rig.ui.errors.size(), 1u);
  EXPECT_EQ(rig.ui.errors[0], DescribeProblems(CheckBeforeWrite(rig.view)));
  EXPECT_EQ(ReadIniFile(rig.files.write_ini).GetString("Previous", "Type", "", 20), "OLD");
  EXPECT_EQ(BackupCount(rig), 0u);
}

TEST(WriteRadio, FailingBackupStopsTheWriteBeforeAnythingIsSent) {
  Rig rig;
  std::ofstream(fs::path(rig.folder.path()) / "backups") << "a file where the folder should be";
  rig.radio.ClearSent();
  rig.ui.answers = {true};
  EXPECT_EQ(OnWriteRadio(rig.view, rig.link), TransferResult::Failed);
  EXPECT_TRUE(rig.Sent().empty());
  ASSERT_EQ(rig.ui.errors.size(), 1u);
  EXPECT_NE(rig.ui.errors[0].find("backups"), std::string::npos);
  EXPECT_EQ(rig.priorities.back(), ThreadPriority::Normal);
}

}  // namespace
}  // namespace kavir::test
