// Two cables in one program folder: two reads and two writes running at the
// same moment each keep to their own radio, set-up and backup.
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>

#include "codec/codec.h"
#include "screen/radio_transfer.h"
#include "screen/screen_events.h"
#include "sim/virtual_radio.h"
#include "support.h"

namespace kavir::test {
namespace {

// One cable: its radio, its link and its screen, in a shared folder.
struct Station {
  explicit Station(const WorkingFiles& files) : link(radio, clock, events, files), view(files, ui) {
    link.set_priority = [](ThreadPriority) {};
    LinkPortStarter starter(link);
    view.OnInitialUpdate(&starter);
  }
  sim::VirtualClock clock;
  FakeUi ui;
  ScreenEvents events{ui};
  sim::VirtualRadio radio{clock, sim::RadioImage{}, 1};
  SerialLink link;
  CKAVIRView view;
};

sim::RadioImage AsRadio(const Image& image) {
  sim::RadioImage out;
  std::copy(image.begin(), image.end(), out.begin());
  return out;
}

// A set-up of its own for each station: channel 1 and 2 on frequencies no
// other station uses.
void MakeOwn(CKAVIRView& view, int station, int round) {
  const std::string mhz = std::to_string(140 + station * 10 + round % 5);
  SetCell(view, 1, 1, mhz + ".00000");
  SetCell(view, 2, 3, mhz + ".12500");
  SetBoxes(view, 2, true, true);
}

std::size_t BackupCount(const std::string& dir) {
  std::error_code ec;
  std::size_t n = 0;
  for (const auto& e : std::filesystem::directory_iterator(PathFromUtf8(JoinPath(dir, "backups")), ec))
    n += e.is_regular_file() && std::filesystem::file_size(e.path()) == 768 ? 1 : 0;
  return n;
}

template <typename F>
void AtOnce(F&& a, F&& b) {
  std::thread first(a), second(b);
  first.join();
  second.join();
}

TEST(SideBySide, TransfersSideBySideInOneFolderKeepToTheirOwnRadios) {
  ShippedDir folder;
  Station stations[2] = {Station(folder.files), Station(folder.files)};
  std::size_t backups = BackupCount(folder.path());
  for (int round = 0; round < 12; ++round) {
    SCOPED_TRACE(round);
    // Writes: each radio must end up holding exactly its own screen.
    Image own[2];
    for (int i = 0; i < 2; ++i) {
      MakeOwn(stations[i].view, i, round);
      own[i] = EncodeImage(stations[i].view.setup());
      stations[i].radio.radio().set_image(sim::RadioImage{});
      stations[i].ui.answers = {true};
    }
    TransferResult written[2];
    AtOnce(std::function<void()>([&] { written[0] = OnWriteRadio(stations[0].view, stations[0].link); }),
           std::function<void()>([&] { written[1] = OnWriteRadio(stations[1].view, stations[1].link); }));
    for (int i = 0; i < 2; ++i) {
      EXPECT_EQ(written[i], TransferResult::Done) << i << ": " << testing::PrintToString(stations[i].ui.errors);
      EXPECT_TRUE(stations[i].radio.radio().image() == AsRadio(own[i])) << "radio " << i << " holds another set-up";
    }

    // Reads, the radios swapped round: each screen must show its own radio.
    for (int i = 0; i < 2; ++i) {
      stations[i].radio.radio().set_image(AsRadio(own[1 - i]));
      stations[i].view.LoadProfile(folder.files.ModelFile("KV16V"));
      stations[i].ui.answers = {true};
    }
    TransferResult read[2];
    AtOnce(std::function<void()>([&] { read[0] = OnReadRadio(stations[0].view, stations[0].link); }),
           std::function<void()>([&] { read[1] = OnReadRadio(stations[1].view, stations[1].link); }));
    for (int i = 0; i < 2; ++i) {
      EXPECT_EQ(read[i], TransferResult::Done) << i << ": " << testing::PrintToString(stations[i].ui.errors);
      EXPECT_TRUE(EncodeImage(stations[i].view.setup()) == own[1 - i]) << "screen " << i << " shows another radio";
    }
    // Every write and every read kept its image, though all four ran within a second.
    backups += 4;
    EXPECT_EQ(BackupCount(folder.path()), backups);
  }
}

}  // namespace
}  // namespace kavir::test
