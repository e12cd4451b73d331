// The read against the in-process radio: what goes out, in which order, and
// what every failure does.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "link/radio_texts.h"
#include "link/transactions.h"
#include "link_test_support.h"

namespace kavir::test {
namespace {

std::vector<Bytes> CompleteReadFrames() {
  std::vector<Bytes> f{B("PRead", 0)};
  for (int n = 1; n <= 16; ++n) f.push_back(B("PGood", 1));
  f.push_back(B("PGood"));
  for (int n = 17; n <= 48; ++n) f.push_back(B("PGood"));
  return f;
}

std::string PacketPrompt(int n) { return FormatPacketText(kReadPacketFailedFormat, n); }

// Read.ini holds something from before, to see it cleared.
void MarkReadIni(Rig& rig) {
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
  fs::path dir = fs::path(rig.folder.path()) / "backups";
  if (fs::exists(dir))
    for (const auto& e : fs::directory_iterator(dir)) out.push_back(e.path());
  return out;
}

TEST(ReadRadio, NoAtTheConfirmationSendsNothingAndKeepsReadIni) {
  Rig rig;
  MarkReadIni(rig);
  rig.radio.ClearSent();
  EXPECT_EQ(OnReadRadio(rig.view, rig.link), TransferResult::Cancelled);
  EXPECT_TRUE(rig.Sent().empty());
  EXPECT_EQ(rig.ReadIniValue("Type"), "OLD");
  ASSERT_EQ(rig.ui.prompts.size(), 1u);
  EXPECT_EQ(rig.ui.prompts[0].text, kReadConfirm);
  EXPECT_EQ(rig.ui.prompts[0].caption, "提示信息!");
  EXPECT_TRUE(rig.priorities.empty());
}

TEST(ReadRadio, CompleteReadSendsEachFrameOnceInOrderAndLoadsTheScreen) {
  Rig rig;
  MarkReadIni(rig);
  // Something on the screen that the read must replace.
  rig.view.Combo("Type")->selected = 1;
  rig.radio.ClearSent();
  rig.ui.answers = {true};
  EXPECT_EQ(OnReadRadio(rig.view, rig.link), TransferResult::Done);
  EXPECT_EQ(rig.Sent(), CompleteReadFrames());
  EXPECT_EQ(rig.ui.prompts.size(), 1u);  // the confirmation only
  EXPECT_EQ(rig.ui.status.back(), "完毕!");
  EXPECT_EQ(rig.priorities, (std::vector<ThreadPriority>{ThreadPriority::TimeCritical,
                                                         ThreadPriority::Normal}));

  IniDocument model = ReadIniFile(rig.files.ModelFile("KV16V"));
  EXPECT_EQ(rig.ReadIniValue("Type"), "KV16V");
  EXPECT_EQ(rig.ReadIniValue("FreqU"), "174");
  EXPECT_EQ(rig.ReadIniValue("CH01.RxFreq"), model.GetString("Previous", "CH01.RxFreq", "", 20));
  EXPECT_EQ(rig.ReadIniValue("CH16.TxFreq"), model.GetString("Previous", "CH16.TxFreq", "", 20));
  EXPECT_EQ(rig.view.Combo("Type")->SelectedText(), "KV16V");

  // The image read is kept, byte for byte.
  auto kept = Backups(rig);
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_EQ(kept[0].filename().string().rfind("read-KV16V-", 0), 0u);
  std::ifstream in(kept[0], std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_EQ(bytes.size(), 768u);
  EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), rig.radio.radio().image().begin(),
                         [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; }));
}

TEST(ReadRadio, StatusTextsAndProgressPositionsFollowThePackets) {
  Rig rig;
  rig.ui.answers = {true};
  rig.ui.events.clear();
  ASSERT_EQ(OnReadRadio(rig.view, rig.link), TransferResult::Done);
  auto has = [&](const std::string& e) {
    return std::find(rig.ui.events.begin(), rig.ui.events.end(), e) != rig.ui.events.end();
  };
  EXPECT_TRUE(has(std::string("begin:") + kHandshakeStatus + ":49:1"));
  EXPECT_TRUE(has("begin:正在接收第 01 个数据包， 请稍候.......:49:2"));
  EXPECT_TRUE(has("begin:正在接收第 16 个数据包， 请稍候.......:49:17"));
  EXPECT_TRUE(has("begin:正在传输第 17 个数据包， 请稍候.......:49:18"));
  EXPECT_TRUE(has("begin:正在传输第 48 个数据包， 请稍候.......:49:49"));
  EXPECT_FALSE(has("begin:正在接收第 17 个数据包， 请稍候.......:49:18"));
  EXPECT_TRUE(has(std::string("begin:") + kRefreshStatus + ":10:10"));
}

TEST(ReadRadio, SilentRadioGetsFourHandshakesOneTimeOutApartAndKeepsReadIni) {
  Rig rig;
  MarkReadIni(rig);
  rig.radio.radio().faults.silent_from = 0;
  rig.radio.ClearSent();
  rig.ui.answers = {true, true, false};
  bool checked_clear = false;
  rig.ui.on_prompt = [&](const std::string& text) {
    if (text == kHandshakeFailed) {
      EXPECT_EQ(PartialValue(rig, "Type"), "");
      EXPECT_EQ(PartialValue(rig, "CH01.RxFreq"), "");
      EXPECT_EQ(rig.ReadIniValue("Type"), "OLD");
      checked_clear = true;
    }
  };
  EXPECT_EQ(OnReadRadio(rig.view, rig.link), TransferResult::Failed);
  const auto& sent = rig.radio.sent();
  ASSERT_EQ(sent.size(), 8u);
  for (const auto& f : sent) EXPECT_EQ(f.bytes, B("PRead", 0));
  for (int i = 1; i < 4; ++i) EXPECT_EQ(sent[i].at_ms - sent[i - 1].at_ms, 80);
  ASSERT_EQ(rig.ui.prompts.size(), 3u);
  EXPECT_EQ(rig.ui.prompts[1].text, kHandshakeFailed);
  EXPECT_EQ(rig.ui.prompts[1].at_ms - sent[3].at_ms, 80);
  EXPECT_TRUE(checked_clear);
  EXPECT_EQ(rig.priorities.back(), ThreadPriority::Normal);
  EXPECT_TRUE(Backups(rig).empty());
}

TEST(ReadRadio, HandshakeTimeOutFromKavirIniIsUsed) {
  Rig rig;
  IniDocument ini = ReadIniFile(rig.files.kavir_ini);
  ini.SetString("WaitFor", "Shk", "1250");
  ASSERT_TRUE(WriteIniFile(rig.files.kavir_ini, ini));
  rig.radio.radio().faults.silent_from = 0;
  rig.radio.ClearSent();
  rig.ui.answers = {true, false};
  OnReadRadio(rig.view, rig.link);
  const auto& sent = rig.radio.sent();
  ASSERT_EQ(sent.size(), 4u);
  EXPECT_EQ(sent[3].at_ms - sent[0].at_ms, 3 * 1250);
}

TEST(ReadRadio, WrongHandshakeFailsAtOnceWithoutMoreFrames) {
  Rig rig;
  rig.radio.radio().faults.wrong_handshake = true;
  rig.radio.ClearSent();
  rig.ui.answers = {true, false};
  EXPECT_EQ(OnReadRadio(rig.view, rig.link), TransferResult::Failed);
  EXPECT_EQ(rig.Sent(), std::vector<Bytes>{B("PRead", 0)});
  EXPECT_EQ(rig.ui.prompts.back().text, kHandshakeFailed);
}

TEST(ReadRadio, PacketFiveWithAnotherAddressGetsOneMoreRequestAndTheLongDelay) {
  Rig rig;
  rig.radio.radio().faults.wrong_address_packet = 5;  // 0x50 instead of 0x40
  rig.radio.ClearSent();
  rig.ui.answers = {true, false};
  EXPECT_EQ(OnReadRadio(rig.view, rig.link), TransferResult::Failed);
  std::vector<Bytes> expected{B("PRead", 0)};
  for (int i = 0; i < 6; ++i) expected.push_back(B("PGood", 1));
  EXPECT_EQ(rig.Sent(), expected);
  EXPECT_EQ(rig.ui.prompts.back().text, PacketPrompt(5));
  EXPECT_NE(rig.ui.prompts.back().text.find("第 05 个"), std::string::npos);
  EXPECT_EQ(rig.ui.prompts.back().at_ms - rig.radio.sent().back().at_ms, 35 * 43 + 1);
  // The turning cursor does not outlive the command.
  ASSERT_FALSE(rig.ui.cursors.empty());
  // 1506 steps: the last, i = 1505, is a multiple of five.
  EXPECT_EQ(rig.ui.cursors[rig.ui.cursors.size() - 2], Cursor::SizeNWSE);
  EXPECT_EQ(rig.ui.cursors.size(), 1506u + 1u);
  EXPECT_EQ(rig.ui.cursors.back(), Cursor::Normal);
  // Packets 1 to 4 are in the partial file; packet 5 is not.
  EXPECT_EQ(PartialValue(rig, "Type"), "KV16V");
  EXPECT_NE(PartialValue(rig, "CH04.RxFreq"), "");
  EXPECT_EQ(PartialValue(rig, "CH05.RxFreq"), "");
}

TEST(ReadRadio, PacketSeventeenSilentSendsNoAcknowledgement) {
  Rig rig;
  rig.radio.radio().faults.silent_from = 17;
  rig.radio.ClearSent();
  rig.ui.answers = {true, false};
  EXPECT_EQ(OnReadRadio(rig.view, rig.link), TransferResult::Failed);
  std::vector<Bytes> expected{B("PRead", 0)};
  for (int i = 0; i < 16; ++i) expected.push_back(B("PGood", 1));
  expected.push_back(B("PGood"));
  EXPECT_EQ(rig.Sent(), expected);
  EXPECT_EQ(rig.ui.prompts.back().text, PacketPrompt(17));
  // Four waits of 80 ms, then 20 x 31 steps of 1 ms.
  EXPECT_EQ(rig.ui.prompts.back().at_ms - rig.radio.sent().back().at_ms, 4 * 80 + 20 * 31 + 1);
}

TEST(ReadRadio, PacketThirtySilentIsAcknowledgedThenFailsTheAddressCheck) {
  Rig rig;
  rig.radio.radio().faults.silent_from = 30;
  rig.radio.ClearSent();
  rig.ui.answers = {true, false};
  EXPECT_EQ(OnReadRadio(rig.view, rig.link), TransferResult::Failed);
  std::vector<Bytes> expected{B("PRead", 0)};
  for (int i = 0; i < 16; ++i) expected.push_back(B("PGood", 1));
  for (int i = 0; i < 1 + 13 + 1; ++i) expected.push_back(B("PGood"));  // 17..29, then 30
  EXPECT_EQ(rig.Sent(), expected);
  EXPECT_EQ(rig.ui.prompts.back().text, PacketPrompt(30));
  EXPECT_EQ(rig.ui.prompts.back().at_ms - rig.radio.sent().back().at_ms, 20 * 18 + 1);
}

TEST(ReadRadio, ShortPacketIsAFailureAndIsNotDecoded) {
  Rig rig;
  // Handshake and packets 1 to 4 whole, then 12 bytes of packet 5, then nothing.
  rig.radio.answer_budget = 20 + 4 * 20 + 12;
  rig.radio.ClearSent();
  rig.ui.answers = {true, false};
  EXPECT_EQ(OnReadRadio(rig.view, rig.link), TransferResult::Failed);
  EXPECT_EQ(rig.ui.prompts.back().text, PacketPrompt(5));
  EXPECT_EQ(PartialValue(rig, "CH05.RxFreq"), "");
  // One request for packet 5 (a partial answer is waited for, not asked
  // again) and one more before the delay.
  std::size_t requests = 0;
  for (const auto& f : rig.Sent()) requests += f == B("PGood", 1);
  EXPECT_EQ(requests, 4u + 1u + 1u);
  EXPECT_EQ(rig.ui.prompts.back().at_ms - rig.radio.sent().back().at_ms, 15 * 43 + 1);
}

TEST(ReadRadio, ShortPacketAfterSixteenIsAFailureToo) {
  Rig rig;
  rig.radio.radio().faults.short_packet = 20;
  rig.ui.answers = {true, false};
  EXPECT_EQ(OnReadRadio(rig.view, rig.link), TransferResult::Failed);
  EXPECT_EQ(rig.ui.prompts.back().text, PacketPrompt(20));
}

TEST(ReadRadio, YesAfterAFailureStartsOverAndCanSucceed) {
  Rig rig;
  rig.radio.radio().faults.wrong_address_packet = 33;
  rig.radio.radio().faults.once = true;
  rig.radio.ClearSent();
  rig.ui.answers = {true, true};
  EXPECT_EQ(OnReadRadio(rig.view, rig.link), TransferResult::Done);
  EXPECT_EQ(rig.ui.prompts[1].text, PacketPrompt(33));
  auto sent = rig.Sent();
  // First attempt: handshake, 16 requests, 17 acknowledgements (one before
  // 17 and after 17..32), and the one after the bad 33; then a whole read.
  ASSERT_EQ(sent.size(), 1 + 16 + 1 + 16 + 1 + CompleteReadFrames().size());
  EXPECT_EQ(sent[35], B("PRead", 0));
  EXPECT_EQ(rig.radio.radio().sessions(), 2);
  EXPECT_EQ(rig.ReadIniValue("Type"), "KV16V");
}

TEST(ReadRadio, ModelWithoutUpperBandLimitReadsEverythingThenShowsTheBandPrompt) {
  Rig rig;
  rig.radio.radio().set_model(99);  // no such entry in the Type list
  rig.radio.ClearSent();
  rig.ui.answers = {true, false};
  std::string type_before = rig.view.Combo("Type")->SelectedText();
  EXPECT_EQ(OnReadRadio(rig.view, rig.link), TransferResult::Failed);
  EXPECT_EQ(rig.Sent(), CompleteReadFrames());
  EXPECT_EQ(rig.ui.prompts.back().text, kBandFailed);
  EXPECT_EQ(rig.view.Combo("Type")->SelectedText(), type_before);  // not reloaded
  EXPECT_TRUE(Backups(rig).empty());
}

TEST(ReadRadio, BabblingRadioEndsInTheHandshakePromptWithoutHanging) {
  Rig rig;
  rig.radio.radio().faults.flood_bytes = 600;
  rig.ui.answers = {true, false};
  EXPECT_EQ(OnReadRadio(rig.view, rig.link), TransferResult::Failed);
  EXPECT_EQ(rig.ui.prompts.back().text, kHandshakeFailed);
  EXPECT_EQ(rig.link.receive_count, 600u);
}

TEST(ReadRadio, StrayBytesBeforeTheReadAreClearedAway) {
  Rig rig;
  rig.radio.InjectIncoming(Bytes(40, 0x33));
  rig.link.OnComm();  // arrived while the program was idle
  ASSERT_EQ(rig.link.receive_count, 40u);
  rig.ui.answers = {true};
  EXPECT_EQ(OnReadRadio(rig.view, rig.link), TransferResult::Done);
}

TEST(ReadRadio, UnpluggedCableIsShownOnceAndEndsInThePrompt) {
  Rig rig;
  rig.radio.Close();
  rig.radio.refuse_open = "No such file or directory";
  rig.ui.errors.clear();
  rig.ui.answers = {true, false};
  EXPECT_EQ(OnReadRadio(rig.view, rig.link), TransferResult::Failed);
  EXPECT_EQ(rig.ui.errors.size(), 1u);
  EXPECT_EQ(rig.ui.prompts.back().text, kHandshakeFailed);
}

}  // namespace
}  // namespace kavir::test
