// The radio's side of the protocol, driven byte by byte as a program would.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "sim/radio_protocol.h"

namespace kavir::sim {
namespace {

using Bytes = std::vector<std::uint8_t>;

RadioImage Pattern() {
  RadioImage image;
  for (int i = 0; i < kImageBytes; ++i) image[i] = static_cast<std::uint8_t>(i * 13 + 5);
  return image;
}

Bytes Say(RadioProtocol& radio, const std::string& text, int last = -1) {
  Bytes b(text.begin(), text.end());
  if (last >= 0) b.push_back(static_cast<std::uint8_t>(last));
  return radio.Receive(b.data(), b.size());
}

// Reads the whole image as the program does; nullopt-like empty on a fault.
Bytes ReadAll(RadioProtocol& radio) {
  Bytes image;
  Bytes hs = Say(radio, "PRead", 0);
  if (hs.size() != 20) return {};
  for (int n = 1; n <= 16; ++n) {
    Bytes p = Say(radio, "PGood", 1);
    if (p.size() != 20) return image;
    image.insert(image.end(), p.begin() + 4, p.end());
  }
  Bytes p = Say(radio, "PGood");
  for (int n = 17; n <= 48; ++n) {
    if (p.size() != 20) return image;
    image.insert(image.end(), p.begin() + 4, p.end());
    p = Say(radio, "PGood");
  }
  EXPECT_TRUE(p.empty());  // nothing after the last acknowledgement
  return image;
}

TEST(RadioProtocol, HandshakeNamesTheModel) {
  RadioProtocol radio(Pattern(), 3);
  Bytes a = Say(radio, "PRead", 0);
  ASSERT_EQ(a.size(), 20u);
  EXPECT_EQ(a[0], 'P');
  EXPECT_EQ(a[1], 'M');
  EXPECT_EQ(a[3], 2);
  EXPECT_EQ(radio.sessions(), 1);
}

TEST(RadioProtocol, ReadDeliversTheImageInAddressOrder) {
  RadioImage image = Pattern();
  RadioProtocol radio(image);
  Bytes got = ReadAll(radio);
  ASSERT_EQ(got.size(), 768u);
  EXPECT_TRUE(std::equal(got.begin(), got.end(), image.begin()));
}

TEST(RadioProtocol, FramesSplitAcrossReceivesAreStillUnderstood) {
  RadioProtocol radio(Pattern());
  EXPECT_TRUE(Say(radio, "PRe").empty());
  EXPECT_EQ(Say(radio, "ad", 0).size(), 20u);
  EXPECT_TRUE(Say(radio, "PGood").empty());  // could still become a request
  Bytes p = radio.Receive(Bytes{1}.data(), 1);
  ASSERT_EQ(p.size(), 20u);
  EXPECT_EQ(p[2], 0x00);
}

TEST(RadioProtocol, NoiseBeforeAFrameIsSkipped) {
  RadioProtocol radio(Pattern());
  Bytes noise{0x00, 0xFF, 'x', 'P', 'Z'};
  EXPECT_TRUE(radio.Receive(noise.data(), noise.size()).empty());
  EXPECT_EQ(Say(radio, "PRead", 0).size(), 20u);
}

TEST(RadioProtocol, WriteKeepsWhatTheProgramSentAndAcknowledgesEachPacket) {
  RadioProtocol radio(Pattern());
  EXPECT_EQ(Say(radio, "PWrite", 0).size(), 20u);
  for (int n = 1; n <= 48; ++n) {
    int a = 16 * (n - 1);
    Bytes f{0x57, static_cast<std::uint8_t>(a >> 8), static_cast<std::uint8_t>(a & 0xFF), 0x10};
    for (int k = 0; k < 16; ++k) f.push_back(static_cast<std::uint8_t>(n + k));
    Bytes ack = radio.Receive(f.data(), f.size());
    EXPECT_EQ(ack.size(), 5u) << n;
    EXPECT_EQ(radio.completed_writes(), n == 48 ? 1 : 0);
  }
  EXPECT_EQ(radio.image()[0], 1);
  EXPECT_EQ(radio.image()[16 * 47 + 15], 48 + 15);
}

TEST(RadioProtocol, AnUnfinishedWriteChangesNothing) {
  RadioImage image = Pattern();
  RadioProtocol radio(image);
  Say(radio, "PWrite", 0);
  Bytes f(20, 0x00);
  f[0] = 0x57;
  f[3] = 0x10;
  radio.Receive(f.data(), f.size());
  EXPECT_EQ(Say(radio, "PRead", 0).size(), 20u);  // the program gave up and reads
  EXPECT_EQ(radio.image(), image);
  EXPECT_EQ(radio.completed_writes(), 0);
}

TEST(RadioProtocol, Faults) {
  {
    RadioProtocol radio(Pattern());
    radio.faults.wrong_address_packet = 5;
    Say(radio, "PRead", 0);
    for (int n = 1; n <= 4; ++n) Say(radio, "PGood", 1);
    Bytes p = Say(radio, "PGood", 1);
    EXPECT_EQ(p[2], 0x50);
  }
  {
    RadioProtocol radio(Pattern());
    radio.faults.short_packet = 2;
    Say(radio, "PRead", 0);
    Say(radio, "PGood", 1);
    EXPECT_EQ(Say(radio, "PGood", 1).size(), 12u);
  }
  {
    RadioProtocol radio(Pattern());
    radio.faults.silent_from = 17;
    EXPECT_EQ(ReadAll(radio).size(), 16u * 16u);
  }
  {
    RadioProtocol radio(Pattern());
    radio.faults.flood_bytes = 600;
    EXPECT_EQ(Say(radio, "PRead", 0).size(), 600u);
  }
  {
    RadioProtocol radio(Pattern());
    radio.faults.wrong_handshake = true;
    EXPECT_EQ(Say(radio, "PRead", 0)[1], 'X');
  }
  {
    RadioProtocol radio(Pattern());
    radio.faults.hangup_at = 3;
    Say(radio, "PRead", 0);
    Say(radio, "PGood", 1);
    Say(radio, "PGood", 1);
    EXPECT_FALSE(radio.hung_up());
    EXPECT_TRUE(Say(radio, "PGood", 1).empty());
    EXPECT_TRUE(radio.hung_up());
    EXPECT_TRUE(Say(radio, "PRead", 0).empty());
  }
}

TEST(RadioProtocol, FaultsOnceLetTheSecondSessionThrough) {
  RadioProtocol radio(Pattern());
  radio.faults.silent_from = 0;
  radio.faults.once = true;
  EXPECT_TRUE(Say(radio, "PRead", 0).empty());
  EXPECT_EQ(ReadAll(radio).size(), 768u);
}

}  // namespace
}  // namespace kavir::sim
