// The virtual radio's own behaviour that the link tests do not drive: frames
// split or preceded by noise, an unfinished write, hanging up, its options
// (radios in turn on one cable among them).
#include <gtest/gtest.h>

#include <tuple>

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

TEST(RadioProtocol, UnderstandsSplitFramesAndKeepsOnlyFinishedWrites) {
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
  EXPECT_EQ(std::make_pair(radio.write_sessions(), radio.packets_stored()), std::make_pair(1, 1));
  EXPECT_EQ(radio.sessions(), 3);

  RadioProtocol hangs(image);
  hangs.faults.hangup_at = 2;
  Say(hangs, "PRead", 0);
  Say(hangs, "PGood", 1);
  EXPECT_FALSE(hangs.hung_up());
  EXPECT_TRUE(Say(hangs, "PGood", 1).empty());
  EXPECT_TRUE(hangs.hung_up());
  EXPECT_TRUE(Say(hangs, "PRead", 0).empty());
}

TEST(SimOptions, EveryOptionIsTakenInAndBadUsageNamed) {
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
  EXPECT_EQ(std::vector<std::string>({o->image_file, o->save_file, o->log_file}),
            std::vector<std::string>({"a.bin", "b.bin", "c.log"}));
  EXPECT_EQ(std::make_tuple(o->baud, o->model, o->faults.silent_from, o->faults.wrong_address_packet,
                            o->faults.short_packet, o->faults.flood_bytes, o->faults.hangup_at),
            std::make_tuple(9600, 2, 0, 5, 7, 600, 20));
  EXPECT_TRUE(o->faults.wrong_handshake && o->faults.once);
  // Radios in turn on one cable (--image x taken as given), and bad usage named.
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
