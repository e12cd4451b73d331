// Cancelling a read or a write part-way, and the message that ends it.
#include <gtest/gtest.h>

#include "link/transactions.h"
#include "link/transfer_summary.h"
#include "link_test_support.h"

namespace kavir::test {
namespace {

// Requests a cancel once the radio has received `after_frames` frames.
void CancelAfter(Rig& rig, std::size_t after_frames) {
  rig.link.idle_hook = [&rig, after_frames] {
    if (rig.radio.sent().size() >= after_frames) rig.link.RequestCancel();
  };
}

struct ReadCase {
  const char* name;
  std::size_t after_frames;  // frames sent when the cancel comes
  std::optional<int> silent_from;
};

TEST(Cancel, ReadStopsWithoutPromptOrFurtherFramesAndLeavesTheScreen) {
  const ReadCase cases[] = {
      {"handshake", 1, {}},        {"first packets", 5, {}},   {"radio sends", 30, {}},
      {"silent radio", 1, 0},      {"silent at 20", 21, 20},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    rig.radio.radio().set_image(sim::RadioImage{});  // a read would change the screen
    rig.radio.radio().faults.silent_from = c.silent_from;
    const std::string before = rig.view.grid.Text(1, 1);
    rig.radio.ClearSent();
    rig.ui.answers = {true};
    CancelAfter(rig, c.after_frames);
    const std::int64_t t0 = rig.clock.NowMs();

    EXPECT_EQ(OnReadRadio(rig.view, rig.link), TransferResult::Failed);
    EXPECT_TRUE(rig.link.report.cancelled);
    EXPECT_EQ(rig.ui.prompts.size(), 1u);  // the confirmation only
    EXPECT_EQ(rig.Sent().size(), c.after_frames);
    EXPECT_EQ(rig.view.grid.Text(1, 1), before);
    // A wait ends within one 20 ms slice, not at its time-out.
    EXPECT_LE(rig.clock.NowMs() - t0, 20 * static_cast<std::int64_t>(c.after_frames) + 40);
    EXPECT_EQ(rig.ui.cursors.back(), Cursor::Normal);
    const std::string summary =
        ReadSummary(TransferResult::Failed, rig.link.report, rig.view);
    EXPECT_NE(summary.find("取消"), std::string::npos) << summary;
  }
}

TEST(Cancel, ANewTransferStartsWithTheCancelCleared) {
  Rig rig;
  rig.link.RequestCancel();
  rig.ui.answers = {true};
  EXPECT_EQ(OnReadRadio(rig.view, rig.link), TransferResult::Done);
  EXPECT_FALSE(rig.link.report.cancelled);
  EXPECT_FALSE(rig.link.report.backup_path.empty());
  const std::string summary = ReadSummary(TransferResult::Done, rig.link.report, rig.view);
  EXPECT_NE(summary.find("16 个信道"), std::string::npos) << summary;
  EXPECT_NE(summary.find("backups/read-"), std::string::npos) << summary;
}

struct WriteCase {
  std::size_t after_frames;  // frames sent when the cancel comes
  int packets_taken;         // the packet in flight is still acknowledged
  bool mixed;
};

TEST(Cancel, WriteStopsBetweenPacketsAndSaysWhatTheRadioMayHold) {
  // Frame 1 is the handshake; frame n+1 is packet n.
  const WriteCase cases[] = {{1, 0, false}, {2, 1, true}, {3, 2, true}, {25, 24, true}};
  for (const WriteCase& c : cases) {
    SCOPED_TRACE(c.after_frames);
    Rig rig;
    rig.radio.ClearSent();
    rig.ui.answers = {true};
    CancelAfter(rig, c.after_frames);

    EXPECT_EQ(OnWriteRadio(rig.view, rig.link), TransferResult::Failed);
    const TransferReport& report = rig.link.report;
    EXPECT_TRUE(report.cancelled);
    EXPECT_EQ(report.packets_written, c.packets_taken);
    EXPECT_EQ(rig.Sent().size(), c.after_frames);
    EXPECT_EQ(rig.radio.radio().completed_writes(), 0);
    EXPECT_EQ(rig.ui.prompts.size(), 1u);
    EXPECT_EQ(RadioMayHoldMixedSettings(TransferResult::Failed, report), c.mixed);
    ASSERT_FALSE(report.backup_path.empty());
    EXPECT_TRUE(fs::exists(fs::u8path(report.backup_path)));

    const std::string summary = WriteSummary(TransferResult::Failed, report);
    EXPECT_NE(summary.find("写入已取消"), std::string::npos) << summary;
    EXPECT_EQ(summary.find("混合") != std::string::npos, c.mixed) << summary;
    EXPECT_EQ(summary.find("backups/") != std::string::npos, c.mixed) << summary;
  }
}

TEST(Cancel, ACancelAfterTheLastAcknowledgementLeavesACompleteWrite) {
  Rig rig;
  rig.radio.ClearSent();
  rig.ui.answers = {true};
  CancelAfter(rig, 49);
  // Without the verify, which a cancel would end unverified.
  EXPECT_EQ(OnWriteRadio(rig.view, rig.link, {.verify = false}), TransferResult::Done);
  EXPECT_EQ(rig.radio.radio().completed_writes(), 1);
}

TEST(Cancel, WriteFailureAfterSomePacketsWarnsOfMixedSettingsToo) {
  Rig rig;
  rig.radio.radio().faults.silent_from = 10;
  rig.ui.answers = {true, false};
  EXPECT_EQ(OnWriteRadio(rig.view, rig.link), TransferResult::Failed);
  EXPECT_FALSE(rig.link.report.cancelled);
  EXPECT_EQ(rig.link.report.packets_written, 9);
  const std::string summary = WriteSummary(TransferResult::Failed, rig.link.report);
  EXPECT_NE(summary.find("写入没有完成"), std::string::npos) << summary;
  EXPECT_NE(summary.find("9 / 48"), std::string::npos) << summary;
  EXPECT_NE(summary.find("混合"), std::string::npos) << summary;
}

}  // namespace
}  // namespace kavir::test
