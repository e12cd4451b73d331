// The virtual radio's own behaviour that the link tests do not drive: frames
// split or preceded by noise, an unfinished write, hanging up, its options
// (radios in turn on one cable among them).
#include <gtest/gtest.h>

#include "sim/radio_protocol.h"
#include "sim/sim_options.h"

namespace kavir::sim {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Say(RadioProtocol& radio, const std::string& text, int last = -1) {
  Bytes b(text.begin(), text.end());
  if (last >= 0) b.push_back(static_cast<std::uint8_t>(last));
  return radio.Receive(b.data(), b.size());
}

TEST(RadioProtocol, UnderstandsSplitFramesKeepingOnlyFinishedWrites) {
  RadioImage image{};
  image[5] = 0x42;
  RadioProtocol radio(image, 3);
  EXPECT_TRUE(Say(radio, std::string("\0\xFFxPZ", 5)).empty());  // noise
  EXPECT_TRUE(Say(radio, "PRe").empty());
  const Bytes hs = Say(radio, "ad", 0);
  ASSERT_EQ(hs.size(), 20u);
  EXPECT_EQ(hs[3], 2);                       // model 3
  EXPECT_TRUE(Say(radio, "PGood").empty());  // could still become a request
  const Bytes p = radio.Receive(Bytes{1}.data(), 1);
  ASSERT_EQ(p.size(), 20u);
  EXPECT_EQ(p[4 + 5], 0x42);

  Say(radio, "PWrite", 0);
  Bytes f(20, 0x00);
  f[0] = 0x57, f[3] = 0x10;
  EXPECT_EQ(radio.Receive(f.data(), f.size()).size(), 5u);
  EXPECT_EQ(Say(radio, "PRead", 0).size(), 20u);  // the program gave up and reads
  EXPECT_EQ(radio.image(), image);
  EXPECT_EQ(radio.completed_writes(), 0);
  // An unfinished write is still counted: a session and the packet it stored.
  EXPECT_EQ(radio.write_sessions(), 1);
  EXPECT_EQ(radio.packets_stored(), 1);
  EXPECT_EQ(radio.sessions(), 3);
}

TEST(RadioProtocol, HangsUpAtTheFrameItIsToldTo) {
  RadioProtocol hangs(RadioImage{});
  hangs.faults.hangup_at = 2;
  Say(hangs, "PRead", 0);
  Say(hangs, "PGood", 1);
  EXPECT_FALSE(hangs.hung_up());
  EXPECT_TRUE(Say(hangs, "PGood", 1).empty());
  EXPECT_TRUE(hangs.hung_up());
  EXPECT_TRUE(Say(hangs, "PRead", 0).empty());
}

TEST(SimOptions, EveryOptionIsTakenIn) {
  std::string error;
  auto o = ParseSimOptions({"--image",
                            "a.bin",
                            "--save",
                            "b.bin",
                            "--log",
                            "c.log",
                            "--baud",
                            "9600",
                            "--model",
                            "2",
                            "--silent-from",
                            "0",
                            "--wrong-address",
                            "5",
                            "--short-packet",
                            "7",
                            "--flood",
                            "600",
                            "--hangup-at",
                            "20",
                            "--wrong-handshake",
                            "--faults-once"},
                           &error);
  ASSERT_TRUE(o) << error;
  EXPECT_EQ(o->image_file, "a.bin");
  EXPECT_EQ(o->save_file, "b.bin");
  EXPECT_EQ(o->log_file, "c.log");
  EXPECT_EQ(o->baud, 9600);
  EXPECT_EQ(o->model, 2);
  EXPECT_EQ(o->faults.silent_from, 0);
  EXPECT_EQ(o->faults.wrong_address_packet, 5);
  EXPECT_EQ(o->faults.short_packet, 7);
  EXPECT_EQ(o->faults.flood_bytes, 600);
  EXPECT_EQ(o->faults.hangup_at, 20);
  EXPECT_TRUE(o->faults.wrong_handshake);
  EXPECT_TRUE(o->faults.once);
}

// Radios in turn on one cable (--image x taken as given), and bad usage named.
TEST(SimOptions, RadiosInTurnAreTakenInOrBadUsageNamed) {
  std::string error;
  const struct {
    std::vector<std::string> args;
    std::vector<int> models;
    const char* refused = nullptr;
  } cases[] = {{{"--image", "x"}, {}},
               {{"--image", "x", "--radios", "3"}, {1, 1, 1}},
               {{"--image", "x", "--radios", "2", "--model", "2"}, {2, 2}},
               {{"--image", "x", "--models", "2,1,2"}, {2, 1, 2}},
               {{"--image", "x", "--models", "2,,1"}, {}, ""},
               {{"--image", "x", "--models", "0"}, {}, ""},
               {{"--image", "x", "--models", "1,"}, {}, ""},
               {{"--image", "x", "--radios", "0"}, {}, ""},
               {{"--image", "x", "--radios", "2", "--models", "1,1"}, {}, ""},
               {{}, {}, "--image"},
               {{"--image", "a", "--wrong-address", "49"}, {}, "49"},
               {{"--image"}, {}, "needs a value"},
               {{"--image", "a", "--bogus"}, {}, "--bogus"},
               {{"--image", "a", "--baud", "fast"}, {}, ""}};
  for (const auto& c : cases) {
    error.clear();
    const auto parsed = ParseSimOptions(c.args, &error);
    ASSERT_EQ(!parsed, c.refused != nullptr) << testing::PrintToString(c.args) << " " << error;
    EXPECT_EQ(parsed ? parsed->cable_models : std::vector<int>{}, c.models) << testing::PrintToString(c.args);
    EXPECT_NE(error.find(c.refused ? c.refused : ""), std::string::npos) << error;
  }
}

}  // namespace
}  // namespace kavir::sim
