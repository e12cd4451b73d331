// The handshake's answer and the 48 packets of a read, on their own: what
// each fault stops at, what was sent up to then, and what was handed on.
#include "link/packet_reader.h"

#include <functional>
#include <optional>

#include <gtest/gtest.h>

#include "link/handshake.h"
#include "link/radio_texts.h"
#include "link/transactions.h"
#include "radio_rig.h"

namespace kavir::test {
namespace {

TEST(HandshakeModel, AnAnswerOfTwentyBytesBeginningPMNamesItsModelBySignedByteThree) {
  // stored: bytes kept of count (at most 512); model: nullopt for no answer.
  struct Case {
    const char* what;
    std::uint8_t b0, b1, b3;
    std::size_t stored;
    std::uint32_t count;
    std::optional<int> model;
  } cases[] = {
      {"model 1", 'P', 'M', 0x00, 20, 20, 1},
      {"highest positive", 'P', 'M', 0x7E, 20, 20, 127},
      {"0x7F wraps to -128", 'P', 'M', 0x7F, 20, 20, -128},
      {"0xFE", 'P', 'M', 0xFE, 20, 20, -1},
      {"0xFF is model 0", 'P', 'M', 0xFF, 20, 20, 0},
      {"more than the buffer holds", 'P', 'M', 0x01, 512, 600, 2},
      {"19 bytes", 'P', 'M', 0x00, 19, 19, std::nullopt},
      {"not P", 'Q', 'M', 0x00, 20, 20, std::nullopt},
      {"not M", 'P', 'X', 0x00, 20, 20, std::nullopt},
      {"four stored are enough", 'P', 'M', 0x02, 4, 20, 3},
      {"too few stored to look at", 'P', 'M', 0x00, 3, 20, std::nullopt},
  };
  for (const Case& c : cases) {
    std::uint8_t answer[20] = {c.b0, c.b1, 0x10, c.b3};
    EXPECT_EQ(HandshakeModel(answer, c.stored, c.count), c.model) << c.what;
  }
}

// A link to the in-process radio holding a pattern, on a virtual clock.
struct Line {
  TempDir dir;
  sim::VirtualClock clock;
  FakeUi ui;
  ScreenEvents events{ui};
  sim::VirtualRadio radio{clock, Pattern(), 1};
  SerialLink link{radio, clock, events, WorkingFiles::FromDirectory(dir.path())};

  static sim::RadioImage Pattern() {
    sim::RadioImage image;
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return image;
  }
  std::vector<Bytes> Sent() const {
    std::vector<Bytes> out;
    for (const auto& f : radio.sent()) out.push_back(f.bytes);
    return out;
  }
};

TEST(SendHandshake, FramesGoOutUntilTwentyBytesHaveComeAtMostAsOftenAsAsked) {
  struct Case {
    const char* what;
    std::function<void(Line&)> fault;
    int frames;
    std::size_t sent;
    std::optional<int> model;
  } cases[] = {
      {"answered at once", [](Line&) {}, 4, 1, 1},
      {"another model", [](Line& l) { l.radio.radio().set_model(3); }, 4, 1, 3},
      {"silent: four frames", [](Line& l) { l.radio.radio().faults.silent_from = 0; }, 4, 4, std::nullopt},
      {"silent, one frame asked", [](Line& l) { l.radio.radio().faults.silent_from = 0; }, 1, 1, std::nullopt},
      {"wrong answer: judged, not asked again", [](Line& l) { l.radio.radio().faults.wrong_handshake = true; }, 4, 1,
       std::nullopt},
      {"19 bytes come: asked again", [](Line& l) { l.radio.answer_budget = 19; }, 4, 4, std::nullopt},
      {"cancel: no frame after it", [](Line& l) { l.radio.radio().faults.silent_from = 0, l.link.RequestCancel(); }, 4,
       1, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Line line;
    c.fault(line);
    SendHandshake(line.link, kWriteHandshake, {70, "hs", 60, 7, c.frames});
    EXPECT_EQ(line.Sent(), std::vector<Bytes>(c.sent, B("PWrite", 0)));
    EXPECT_EQ(HandshakeModel(line.link), c.model);
    EXPECT_EQ(line.ui.progress.front(), "begin:hs:60:7");
    const auto& sent = line.radio.sent();
    for (std::size_t i = 1; i < sent.size(); ++i) EXPECT_EQ(sent[i].at_ms - sent[i - 1].at_ms, 70);
  }
}

TEST(ReceivePackets, HandsOnEveryWholePacketUpToTheFirstBadOne) {
  using Kind = PacketFailure::Kind;
  // requests, acks: the frames after the handshake; failure: kind, packet, bytes of it that came.
  struct Case {
    const char* what;
    std::function<void(Line&)> fault;
    int requests, acks;
    std::optional<PacketFailure> failure;
  } cases[] = {
      {"all 48", [](Line&) {}, 16, 33, std::nullopt},
      {"5 silent: asked four times", [](Line& l) { l.radio.radio().faults.silent_from = 5; }, 8, 0,
       PacketFailure{Kind::Incomplete, 5, 0}},
      {"5 short: asked once, then waited for", [](Line& l) { l.radio.radio().faults.short_packet = 5; }, 5, 0,
       PacketFailure{Kind::Incomplete, 5, 12}},
      {"5 a byte short", [](Line& l) { l.radio.answer_budget = 4 * 20 + 19; }, 5, 0,
       PacketFailure{Kind::Incomplete, 5, 19}},
      {"5 from another address", [](Line& l) { l.radio.radio().faults.wrong_address_packet = 5; }, 5, 0,
       PacketFailure{Kind::WrongAddress, 5, 20}},
      {"16 from another address", [](Line& l) { l.radio.radio().faults.wrong_address_packet = 16; }, 16, 0,
       PacketFailure{Kind::WrongAddress, 16, 20}},
      {"17 silent: not acknowledged", [](Line& l) { l.radio.radio().faults.silent_from = 17; }, 16, 1,
       PacketFailure{Kind::Incomplete, 17, 0}},
      {"30 from another address: acknowledged", [](Line& l) { l.radio.radio().faults.wrong_address_packet = 30; }, 16,
       15, PacketFailure{Kind::WrongAddress, 30, 20}},
      {"33 from another address", [](Line& l) { l.radio.radio().faults.wrong_address_packet = 33; }, 16, 18,
       PacketFailure{Kind::WrongAddress, 33, 20}},
      {"25 a byte short", [](Line& l) { l.radio.answer_budget = 24 * 20 + 19; }, 16, 9,
       PacketFailure{Kind::Incomplete, 25, 19}},
      {"40 short: not acknowledged", [](Line& l) { l.radio.radio().faults.short_packet = 40; }, 16, 24,
       PacketFailure{Kind::Incomplete, 40, 12}},
      {"48 silent", [](Line& l) { l.radio.radio().faults.silent_from = 48; }, 16, 32,
       PacketFailure{Kind::Incomplete, 48, 0}},
      {"cancel while 10 comes: nothing more is sent",
       [](Line& l) {
         l.link.idle_hook = [&l] {
           if (l.radio.sent().size() == 11) l.link.RequestCancel();
         };
       },
       10, 0, PacketFailure{Kind::Cancelled, 10, 20}},
      {"cancel while 20 comes",
       [](Line& l) {
         l.link.idle_hook = [&l] {
           if (l.radio.sent().size() == 21) l.link.RequestCancel();
         };
       },
       16, 4, PacketFailure{Kind::Cancelled, 20, 20}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Line line;
    SendHandshake(line.link, kReadHandshake, {80, "hs", 98, 50, 4});
    ASSERT_EQ(HandshakeModel(line.link), 1);
    c.fault(line);
    Image image{};
    std::vector<int> handed_on;
    const auto failure =
        ReceivePackets(line.link, {60, 98, 50, "ask %02d", "take %02d"}, image, [&](int n, const std::uint8_t* packet) {
          handed_on.push_back(n);
          // The whole packet, its address in bytes 1 and 2.
          EXPECT_EQ(packet[1] * 256 + packet[2], 16 * (n - 1));
          EXPECT_TRUE(std::equal(packet + 4, packet + 20, line.radio.radio().image().begin() + 16 * (n - 1)));
        });
    ASSERT_EQ(failure.has_value(), c.failure.has_value());
    if (failure) {
      EXPECT_EQ(failure->kind, c.failure->kind);
      EXPECT_EQ(failure->packet, c.failure->packet);
      EXPECT_EQ(failure->arrived, c.failure->arrived);
    }
    std::vector<Bytes> expected{B("PRead", 0)};
    expected.insert(expected.end(), c.requests, B("PGood", 1));
    expected.insert(expected.end(), c.acks, B("PGood"));
    EXPECT_EQ(line.Sent(), expected);

    // Every packet before the failing one was handed on, in order, and is in the image.
    const int got = c.failure ? c.failure->packet - 1 : 48;
    ASSERT_EQ(handed_on.size(), static_cast<std::size_t>(got));
    for (int n = 1; n <= got; ++n) EXPECT_EQ(handed_on[n - 1], n);
    const auto& held = line.radio.radio().image();
    EXPECT_TRUE(std::equal(image.begin(), image.begin() + 16 * got, held.begin()));
    EXPECT_TRUE(std::all_of(image.begin() + 16 * got, image.end(), [](std::uint8_t b) { return b == 0; }));

    // Each wait shows its packet: asked-for ones and sent ones by their own texts.
    const int last = c.failure ? c.failure->packet : 48;
    const std::string shown = FormatPacketText(last <= 16 ? "begin:ask %02d:98:" : "begin:take %02d:98:", last);
    EXPECT_NE(std::find(line.ui.progress.begin(), line.ui.progress.end(), shown + std::to_string(50 + last)),
              line.ui.progress.end())
        << shown;
  }
}

}  // namespace
}  // namespace kavir::test
