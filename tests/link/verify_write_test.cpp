// Verify after write against the in-process radio: a radio that stores
// what it was sent passes; one that stores a wrong byte fails with the byte
// named; the read-back waits for a radio that is restarting.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "link/radio_texts.h"
#include "link/transactions.h"
#include "link/verify_write.h"
#include "link/write_image.h"
#include "link_test_support.h"

namespace kavir::test {
namespace {

std::vector<fs::path> BackupsOf(const Rig& rig, const std::string& kind) {
  std::vector<fs::path> out;
  fs::path dir = fs::path(rig.folder.path()) / "backups";
  if (fs::exists(dir))
    for (const auto& e : fs::directory_iterator(dir))
      if (e.path().filename().string().rfind(kind + "-", 0) == 0) out.push_back(e.path());
  return out;
}

std::string FileBytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Image ToImage(const sim::RadioImage& r) {
  Image i;
  std::copy(r.begin(), r.end(), i.begin());
  return i;
}

TEST(VerifyWrite, StoredByteDecidesTheOutcomeAndTheDifferenceIsNamed) {
  struct Case {
    std::optional<int> corrupt;
    const char* owner;  // "" when the write must pass
  } cases[] = {
      {std::nullopt, ""},
      {100, "信道 07 CH07.Decode"},         // 0x064: channel 7, receive tone
      {0x10A, "功能设置 TimerOut"},          // block A byte 10
      {0x113, "Alarm"},                      // block B byte 3 holds several settings
      {0x299, "机型 Type"},
      {0x2E5, "厂家签名"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.corrupt ? *c.corrupt : -1);
    Rig rig;
    rig.radio.radio().faults.corrupt_store = c.corrupt;
    const Image sent = ToImage(rig.ScreenImage());
    rig.ui.answers = {true};
    WriteImageResult details;
    const TransferResult result = OnWriteRadio(rig.view, rig.link, {}, &details);
    if (!c.corrupt) {
      EXPECT_EQ(result, TransferResult::Done);
      EXPECT_TRUE(details.verify.ok());
      EXPECT_EQ(details.verify.read_back, sent);
      EXPECT_TRUE(rig.ui.errors.empty());
      EXPECT_TRUE(BackupsOf(rig, "verify-read").empty());
      continue;
    }
    EXPECT_EQ(result, TransferResult::Failed);
    ASSERT_EQ(details.outcome, WriteOutcome::VerifyDiffers);
    ASSERT_EQ(details.verify.differences.size(), 1u);
    const ImageDifference& d = details.verify.differences[0];
    EXPECT_EQ(d.address, *c.corrupt);
    EXPECT_EQ(d.sent, sent[*c.corrupt]);
    EXPECT_EQ(d.read_back, rig.radio.radio().image()[*c.corrupt]);
    EXPECT_NE(d.owner.find(c.owner), std::string::npos) << d.owner;
    // The user is told which byte, and both images are kept as they were.
    ASSERT_EQ(rig.ui.errors.size(), 1u);
    char address[8];
    std::snprintf(address, sizeof address, "0x%03X", *c.corrupt);
    EXPECT_NE(rig.ui.errors[0].find(address), std::string::npos) << rig.ui.errors[0];
    EXPECT_NE(rig.ui.errors[0].find(c.owner), std::string::npos);
    auto sent_files = BackupsOf(rig, "verify-sent"), read_files = BackupsOf(rig, "verify-read");
    ASSERT_EQ(sent_files.size(), 1u);
    ASSERT_EQ(read_files.size(), 1u);
    EXPECT_EQ(FileBytes(sent_files[0]), std::string(sent.begin(), sent.end()));
    const auto& held = rig.radio.radio().image();
    EXPECT_EQ(FileBytes(read_files[0]), std::string(held.begin(), held.end()));
    EXPECT_NE(rig.ui.status.back(), kVerifiedStatus);
  }
}

TEST(VerifyWrite, ProgressRunsThroughBothTransfersAndTheReadBackIsAFreshSession) {
  Rig rig;
  rig.ui.answers = {true};
  rig.radio.ClearSent();
  ASSERT_EQ(OnWriteRadio(rig.view, rig.link), TransferResult::Done);
  std::vector<int> positions;
  for (const std::string& e : rig.ui.events) {
    if (e.rfind("begin:", 0) != 0) continue;
    const std::size_t range_at = e.rfind(':', e.rfind(':') - 1);
    EXPECT_EQ(e.substr(range_at + 1, e.rfind(':') - range_at - 1), "98") << e;
    positions.push_back(std::stoi(e.substr(e.rfind(':') + 1)));
  }
  ASSERT_FALSE(positions.empty());
  EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
  EXPECT_EQ(positions.front(), 1);
  EXPECT_EQ(positions.back(), 98);
  // Write handshake, 48 packets, then a read: handshake, 16 requests, 33 acknowledgements.
  auto sent = rig.Sent();
  ASSERT_EQ(sent.size(), 1u + 48u + 1u + 16u + 33u);
  EXPECT_EQ(sent[49], B("PRead", 0));
  EXPECT_EQ(rig.radio.radio().sessions(), 2);
  EXPECT_EQ(rig.ui.status.back(), kVerifiedStatus);
}

TEST(VerifyWrite, ReadBackWaitsForARestartingRadioAndGivesUpAfterAFewSeconds) {
  struct Case {
    int restart_ms;  // the radio is silent this long after the write
    bool verified;
  } cases[] = {{0, true}, {2500, true}, {60000, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.restart_ms);
    Rig rig;
    std::int64_t written_at = -1;
    rig.link.idle_hook = [&] {
      auto& radio = rig.radio.radio();
      if (radio.completed_writes() == 1 && written_at < 0) written_at = rig.clock.NowMs();
      const bool restarting = written_at >= 0 && rig.clock.NowMs() - written_at < c.restart_ms;
      radio.faults.silent_from = restarting ? std::optional<int>(0) : std::nullopt;
    };
    rig.ui.answers = {true, false};  // write; then No to trying the read-back again
    WriteImageResult details;
    const TransferResult result = OnWriteRadio(rig.view, rig.link, {}, &details);
    EXPECT_EQ(result == TransferResult::Done, c.verified);
    if (c.verified) continue;
    EXPECT_EQ(details.outcome, WriteOutcome::NotVerified);
    EXPECT_GE(rig.ui.prompts.back().at_ms - written_at, kVerifyHandshakeMs);
    EXPECT_LT(rig.ui.prompts.back().at_ms - written_at, kVerifyHandshakeMs + 1000);
    EXPECT_EQ(rig.ui.prompts.back().text.rfind(kVerifyReadFailedLead, 0), 0u);
  }
}

TEST(VerifyWrite, WriteImageRefusesAnotherModelWithoutAskingAndSendsNoPacket) {
  Rig rig;
  rig.radio.radio().set_model(2);
  HeadlessUi headless;
  SerialLink link(rig.radio, rig.clock, headless, rig.files);
  link.set_priority = [](ThreadPriority) {};
  const sim::RadioImage before = rig.radio.radio().image();
  rig.radio.ClearSent();
  WriteImageOptions options;
  options.model = 1;
  options.model_name = "KV16V";
  options.other_model = OtherModel::Refuse;
  Image image{};
  image.fill(0x5A);
  WriteImageResult result = WriteImage(link, image, options);
  EXPECT_EQ(result.outcome, WriteOutcome::OtherModelRefused);
  EXPECT_EQ(result.radio_model, 2);
  EXPECT_FALSE(result.message.empty());
  for (const auto& f : rig.Sent()) EXPECT_NE(f.front(), 0x57);
  EXPECT_EQ(rig.radio.radio().image(), before);

  // The same image into a radio of its model goes in and is verified.
  rig.radio.radio().set_model(1);
  result = WriteImage(link, image, options);
  EXPECT_TRUE(result.ok()) << result.message;
  EXPECT_EQ(ToImage(rig.radio.radio().image()), image);
  EXPECT_TRUE(headless.errors.empty());
}

}  // namespace
}  // namespace kavir::test
