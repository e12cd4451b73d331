// The settings packets, the whole image against a checked-in reference, and
// every shipped model through the image and back.
#include <gtest/gtest.h>

#include <set>

#include "codec/codec.h"
#include "profile/profile.h"
#include "profile/profile_keys.h"
#include "support.h"

namespace kavir::test {
namespace {

class SettingsBlock : public ::testing::Test {
 protected:
  IniDocument Decode(int index, std::vector<std::uint8_t> data, const IniDocument* kavir = nullptr) {
    Frame f{};
    for (std::size_t i = 0; i < data.size(); ++i) f[4 + i] = data[i];
    IniDocument read;
    DecodePacket(index, f.data(), read, kavir ? *kavir : s.Kavir());
    return read;
  }
  static std::string Get(const IniDocument& d, const char* key) { return d.GetString("Previous", key, "<missing>", 20); }
  std::string Option(const char* list, int n) { return s.Kavir().GetString(list, std::to_string(n).c_str(), "", 20); }
  ShippedScreen s;
};

// The radio's memory a shipped model becomes, byte for byte. The reference
// was checked against the radio's memory map by hand; encode and decode are
// otherwise only tested against each other.
TEST_F(SettingsBlock, ShippedModelEncodesToTheReferenceImage) {
  s.Load("KV16U");
  const Image image = EncodeImage(s.Stored(), *s.view);
  const std::string golden = ReadBytes(std::string(KAVIR_FIXTURES_DIR) + "/KV16U.img");
  ASSERT_EQ(golden.size(), 768u);
  for (std::size_t i = 0; i < image.size(); i += 16)
    EXPECT_EQ(Hex(image.data() + i, 16), Hex(reinterpret_cast<const std::uint8_t*>(golden.data()) + i, 16))
        << "address " << i;
}

// Every setting on its last option, so no field is zero and hides a wrong offset.
TEST_F(SettingsBlock, LastOptionOfEverySettingEncodesToTheReferenceBlocks) {
  for (ComboBox& c : s.view->combos()) c.selected = static_cast<int>(c.options.size()) - 1;
  std::string blocks;
  for (int g : {0, 1, 2}) blocks += Hex(EncodeSettingsPacket(g, *s.view).data() + 4, 16) + "\n";
  EXPECT_EQ(blocks,
            "89 10 0E 0E 0A 0A 33 10 1F 08 2A 13 00 00 00 00\n"   // function block A
            "00 00 00 2F 0B 21 11 FF 00 01 01 1E 00 00 32 32\n"   // function block B
            "00 00 00 00 07 07 00 00 00 00 00 00 00 00 00 00\n");  // programmable keys
}

TEST_F(SettingsBlock, BlocksDecodeByTheirRules) {
  EXPECT_EQ(Decode(34, {}).Keys("Previous").size(), 19u);
  // Block A (34), B (36) or the keys (38) with only the byte at `at` set. Timer and
  // warning bytes: 1 and 2 both read as the second option, 255 as the first.
  struct { int index, at, byte; const char* key; int option; } rules[] = {
      {34, 10, 1, "TimerOut", 2}, {34, 10, 2, "TimerOut", 2}, {34, 10, 255, "TimerOut", 1}, {34, 10, 5, "TimerOut", 4},
      {34, 11, 8, "Prealet", 2},  {34, 11, 11, "Prealet", 3},  {38, 4, 1, "PF1S", 2},          {38, 5, 2, "PF2S", 3},
      {36, 3, 0x08, "BatterySupply", 2}, {36, 3, 0, "BatterySupply", 1}};
  for (const auto& r : rules) {
    std::vector<std::uint8_t> d(16, 0);
    d[r.at] = static_cast<std::uint8_t>(r.byte);
    EXPECT_EQ(Get(Decode(r.index, d), r.key), Option(r.key, r.option)) << r.key << " " << r.byte;
  }
  const IniDocument bare = IniDocument::Parse("[Beep]\r\n1=关\r\n");  // no BatterySupply list
  EXPECT_EQ(Get(Decode(36, {0, 0, 0, 0x08}, &bare), "BatterySupply"), "0");
  for (int index : {0, 1, 33, 35, 37, 39, 40, 42, 60, 94, 96, 200, -2})
    EXPECT_TRUE(Decode(index, std::vector<std::uint8_t>(16, 0xFF)).Keys("Previous").empty()) << index;
}

TEST_F(SettingsBlock, EveryOptionOfTheNumberedSettingsReadsBackAsItself) {
  for (const char* key : {"TimerOut", "Prealet", "LookA", "SquelchLevel", "ChanSet"}) {
    ComboBox* box = s.view->Combo(key);
    ASSERT_NE(box, nullptr);
    for (int i = 0; i < static_cast<int>(box->options.size()); ++i) {
      box->selected = i;
      IniDocument read;
      DecodePacket(34, EncodeSettingsPacket(0, *s.view).data(), read, s.Kavir());
      EXPECT_EQ(Get(read, key), box->options[i]) << key << " index " << i;
    }
  }
}

TEST_F(SettingsBlock, PacketsCarryTheirAddressAndTheBatteryBit) {
  s.Load("KV16U");
  const IniDocument w = s.Stored();
  for (int n = 1; n <= kPacketCount; ++n) {
    const Frame p = EncodePacket(n, w, *s.view);
    const int address = 16 * (n - 1);
    EXPECT_EQ(std::vector<int>(p.begin(), p.begin() + 4), (std::vector<int>{0x57, address >> 8, address & 0xFF, 0x10}));
  }
  for (int battery : {0, 1}) {
    s.view->battery.state = battery;
    EXPECT_EQ(EncodeSettingsPacket(1, *s.view)[4 + 3] & 0x08, battery * 0x08);
  }
}

// Every shipped model: encode, decode as a read would, and every key the
// radio holds comes back as the model file has it; loading that and encoding
// again gives the same bytes.
TEST(RoundTrip, EveryShippedModelComesBackFromItsImage) {
  ShippedScreen s;
  const IniDocument kavir = s.Kavir();
  const std::set<std::string> not_in_image = {"Type", "Mode", "FreqV", "FreqU", "PF3S"};
  ASSERT_GE(s.Models().size(), 3u);
  for (const std::string& model : s.Models()) {
    SCOPED_TRACE(model);
    s.Load(model);
    ASSERT_TRUE(CheckBeforeWrite(*s.view).empty()) << DescribeProblems(CheckBeforeWrite(*s.view));
    const Image image = EncodeImage(s.Stored(), *s.view);
    IniDocument read;
    ClearProfileKeys(read);
    DecodeImage(image, read, kavir);
    const IniDocument model_file = ReadIniFile(s.files.ModelFile(model));
    for (const std::string& key : ProfileKeys()) {
      if (not_in_image.count(key)) continue;
      EXPECT_EQ(read.GetString("Previous", key, "<missing>", 20), model_file.GetString("Previous", key, "<missing>", 20))
          << key;
    }
    EXPECT_EQ(read.GetString("Previous", "PF3S", "<missing>", 20), "");
    for (const char* key : {"Type", "FreqV", "FreqU"})
      read.SetString("Previous", key, model_file.GetString("Previous", key, "", 20));
    const std::string path = s.dir.File("read.ini");
    ASSERT_TRUE(WriteIniFile(path, read).ok);
    s.view->LoadProfile(path);
    EXPECT_EQ(EncodeImage(s.Stored(), *s.view), image);
  }
}

}  // namespace
}  // namespace kavir::test
