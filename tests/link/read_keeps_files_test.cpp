// A failed read never takes the place of a complete one, and a read without
// KAVIR.ini's option lists is refused before a byte goes out.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>

#include "link/radio_texts.h"
#include "link/transactions.h"
#include "link_test_support.h"

namespace kavir::test {
namespace {

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(FailedRead, KeepsTheLastCompleteReadIniAndPutsItsPartAside) {
  struct Case {
    const char* name;
    std::function<void(Rig&)> fault;
  } cases[] = {
      {"silent radio", [](Rig& r) { r.radio.radio().faults.silent_from = 0; }},
      {"short packet 20", [](Rig& r) { r.radio.radio().faults.short_packet = 20; }},
      {"wrong address 33", [](Rig& r) { r.radio.radio().faults.wrong_address_packet = 33; }},
      {"no band for the model", [](Rig& r) { r.radio.radio().set_model(99); }},
  };
  for (const Case& c : cases) {
    Rig rig;
    rig.ui.answers = {true};
    ASSERT_EQ(OnReadRadio(rig.view, rig.link), TransferResult::Done);
    const std::string complete = ReadBytes(rig.files.read_ini);
    ASSERT_FALSE(fs::exists(PartialReadPath(rig.files)));

    c.fault(rig);
    rig.ui.answers = {true, false};
    EXPECT_EQ(OnReadRadio(rig.view, rig.link), TransferResult::Failed) << c.name;
    EXPECT_EQ(ReadBytes(rig.files.read_ini), complete) << c.name;
    // What the failed read got is kept under a name that says so.
    const std::string partial = ReadBytes(PartialReadPath(rig.files));
    EXPECT_EQ(partial.rfind("; ", 0), 0u) << c.name;
    EXPECT_NE(partial.find("incomplete"), std::string::npos) << c.name;
  }
}

TEST(FailedRead, ACompleteReadAfterwardsRemovesThePartialFile) {
  Rig rig;
  rig.radio.radio().faults.wrong_address_packet = 33;
  rig.radio.radio().faults.once = true;
  rig.ui.answers = {true, true};
  bool partial_seen = false;
  rig.ui.on_prompt = [&](const std::string&) { partial_seen |= fs::exists(PartialReadPath(rig.files)); };
  EXPECT_EQ(OnReadRadio(rig.view, rig.link), TransferResult::Done);
  EXPECT_TRUE(partial_seen);
  EXPECT_FALSE(fs::exists(PartialReadPath(rig.files)));
  EXPECT_EQ(rig.ReadIniValue("Type"), "KV16V");
}

TEST(ReadWithoutOptionLists, IsRefusedBeforeAnythingIsSent) {
  Rig rig;
  fs::remove(rig.files.kavir_ini);
  RecordingUi ui;
  CKAVIRView view(rig.files, ui);
  view.OnInitialUpdate(nullptr);
  ASSERT_FALSE(view.option_lists_status().ok);
  rig.radio.ClearSent();
  ui.answers = {true, true};
  SerialLink link{rig.radio, rig.clock, ui, rig.files};
  EXPECT_EQ(OnReadRadio(view, link), TransferResult::Failed);
  EXPECT_TRUE(rig.radio.sent().empty());
  EXPECT_TRUE(ui.prompts.empty());
  ASSERT_FALSE(ui.errors.empty());
  EXPECT_EQ(ui.errors.back(), view.OptionListsMessage());
  EXPECT_NE(ui.errors.back().find(rig.files.kavir_ini), std::string::npos);
  EXPECT_FALSE(fs::exists(rig.files.kavir_ini));
}

}  // namespace
}  // namespace kavir::test
