// The settings packets, the whole image against a checked-in reference, and
// every shipped model through the image and back.
#include <map>
#include <set>

#include <gtest/gtest.h>

#include "codec/codec.h"
#include "codec/settings_map.h"
#include "program_files.h"
#include "setup/profile_keys.h"
#include "shipped_setup.h"

namespace kavir::test {
namespace {

std::map<std::string, std::string> Stored(const kavir::Setup& s) {
  std::map<std::string, std::string> values;
  for (auto& [key, value] : StoredValues(s)) values[key] = value;
  return values;
}

class SettingsBlock : public ::testing::Test {
 protected:
  kavir::Setup Decode(int n, std::vector<std::uint8_t> data, const OptionLists* lists = nullptr) {
    data.resize(kPacketDataSize);
    kavir::Setup read;
    DecodePacket(n, data.data(), lists ? *lists : shipped.data.lists, read);
    return read;
  }
  std::string Option(const char* list, int n) {
    return ReadIniFile(shipped.data.files.kavir_ini).GetString(list, std::to_string(n), "", 20);
  }
  void Choose(kavir::Setup& s, Setting k, int index) { s[k] = {index, shipped.data.lists[k][index]}; }
  ShippedSetups shipped;
};

// The radio's memory a shipped model becomes, byte for byte. The reference
// was checked against the radio's memory map by hand; encode and decode are
// otherwise only tested against each other.
TEST_F(SettingsBlock, ShippedModelEncodesToTheReferenceImage) {
  const Image image = EncodeImage(shipped.Model("KV16U"));
  const std::string golden = ReadBytes(std::string(KAVIR_FIXTURES_DIR) + "/KV16U.img");
  ASSERT_EQ(golden.size(), 768u);
  for (std::size_t i = 0; i < image.size(); i += 16)
    EXPECT_EQ(Hex(image.data() + i, 16), Hex(reinterpret_cast<const std::uint8_t*>(golden.data()) + i, 16))
        << "address " << i;
}

// Every setting on its last option, so no field is zero and hides a wrong offset.
TEST_F(SettingsBlock, LastOptionOfEverySettingEncodesToTheReferenceBlocks) {
  kavir::Setup s = shipped.data.start;
  for (const SettingInfo& i : Settings())
    Choose(s, i.setting, static_cast<int>(shipped.data.lists[i.setting].size()) - 1);
  std::string blocks;
  for (int n : {17, 18, 19}) blocks += Hex(EncodeFrame(n, s).data() + 4, 16) + "\n";
  EXPECT_EQ(blocks,
            "89 10 0E 0E 0A 0A 33 10 1F 08 2A 13 00 00 00 00\n"    // function block A
            "00 00 00 2F 0B 21 11 FF 00 01 01 1E 00 00 32 32\n"    // function block B
            "00 00 00 00 07 07 00 00 00 00 00 00 00 00 00 00\n");  // programmable keys
  // A read names each of them by its position, as it was chosen.
  kavir::Setup read;
  for (int n : {17, 18, 19}) DecodePacket(n, EncodeFrame(n, s).data() + 4, shipped.data.lists, read);
  for (Setting k : {Setting::ScanOperation, Setting::ChanSet, Setting::LookA, Setting::SquelchLevel, Setting::TimerOut,
                    Setting::Prealet, Setting::Alarm, Setting::Voice, Setting::CloneEnable, Setting::PF1S})
    EXPECT_EQ(read[k], s[k]) << Info(k).key;
}

TEST_F(SettingsBlock, BlocksDecodeByTheirRules) {
  EXPECT_EQ(PacketKeys(17).size(), 19u);
  // Block A (17), B (18) or the keys (19) with only the byte at `at` set. Timer and
  // warning bytes: 1 and 2 both read as the second option, 255 as the first.
  struct {
    int n, at, byte;
    const char* key;
    int option;
  } rules[] = {{17, 10, 1, "TimerOut", 2},    {17, 10, 2, "TimerOut", 2}, {17, 10, 255, "TimerOut", 1},
               {17, 10, 5, "TimerOut", 4},    {17, 11, 8, "Prealet", 2},  {17, 11, 11, "Prealet", 3},
               {19, 4, 1, "PF1S", 2},         {19, 5, 2, "PF2S", 3},      {18, 3, 0x08, "BatterySupply", 2},
               {18, 3, 0, "BatterySupply", 1}};
  for (const auto& r : rules) {
    std::vector<std::uint8_t> d(16, 0);
    d[r.at] = static_cast<std::uint8_t>(r.byte);
    EXPECT_EQ(Stored(Decode(r.n, d))[r.key], Option(r.key, r.option)) << r.key << " " << r.byte;
  }
  // All eight bits of the ChanSet byte count: 0x81 is entry 130, which no list holds.
  EXPECT_EQ(Decode(17, {0, 0x81})[Setting::ChanSet].text, "关");
  OptionLists bare;  // no BatterySupply list
  bare[Setting::Beep] = {"关"};
  EXPECT_FALSE(Decode(18, {0, 0, 0, 0x08}, &bare).battery_saver);
  EXPECT_EQ(Decode(17, {}, &bare)[Setting::TimerOut].text, "关") << "the default of a field past its list";
  for (int n : {0, 20, 21, 42, 43, 48, 49, -1})
    EXPECT_EQ(Decode(n, std::vector<std::uint8_t>(16, 0xFF)), kavir::Setup{}) << n;
}

TEST_F(SettingsBlock, EveryOptionOfTheNumberedSettingsReadsBackAsItself) {
  kavir::Setup s = shipped.data.start;
  for (Setting k : {Setting::TimerOut, Setting::Prealet, Setting::LookA, Setting::SquelchLevel, Setting::ChanSet}) {
    const auto& options = shipped.data.lists[k];
    ASSERT_FALSE(options.empty());
    for (int i = 0; i < static_cast<int>(options.size()); ++i) {
      Choose(s, k, i);
      kavir::Setup read;
      DecodePacket(17, EncodeFrame(17, s).data() + 4, shipped.data.lists, read);
      EXPECT_EQ(read[k].text, options[i]) << Info(k).key << " index " << i;
    }
  }
}

TEST_F(SettingsBlock, PacketsCarryTheirAddress) {
  const kavir::Setup s = shipped.Model("KV16U");
  for (int n = 1; n <= kPacketCount; ++n) {
    const Frame p = EncodeFrame(n, s);
    const int address = 16 * (n - 1);
    EXPECT_EQ(std::vector<int>(p.begin(), p.begin() + 4), (std::vector<int>{0x57, address >> 8, address & 0xFF, 0x10}));
  }
}

TEST_F(SettingsBlock, TheBatterySaverIsOneBitOfPacket18) {
  kavir::Setup s = shipped.Model("KV16U");
  for (bool battery : {false, true}) {
    s.battery_saver = battery;
    EXPECT_EQ(EncodeFrame(18, s)[4 + 3] & 0x08, battery ? 0x08 : 0);
  }
}

// A read finds each setting where a write puts it, and no two written
// fields share a bit.
TEST(SettingsMap, DecodedFieldsLieWhereTheEncodedOnesAre) {
  using namespace settings_map;
  auto check = [](const auto& table, int block) {
    for (const DecodedField& d : table) {
      const auto e = std::find_if(std::begin(kEncoded), std::end(kEncoded),
                                  [&](const EncodedField& f) { return f.setting == d.setting; });
      ASSERT_NE(e, std::end(kEncoded)) << d.text;
      EXPECT_EQ(std::vector<int>({e->block, e->byte, e->shift}), std::vector<int>({block, d.byte, d.shift}))
          << static_cast<int>(d.setting);
      EXPECT_LE(d.width, e->width) << static_cast<int>(d.setting);
    }
  };
  check(kBlockA, 16);
  check(kBlockB, 17);
  check(kKeys, 18);
  std::map<std::pair<int, int>, int> used;
  for (const EncodedField& f : kEncoded) {
    const int bits = ((1 << f.width) - 1) << f.shift;
    EXPECT_EQ((used[std::make_pair(f.block, f.byte)] & bits), 0) << static_cast<int>(f.setting);
    EXPECT_LE(bits, 0xFF) << static_cast<int>(f.setting);
    used[std::make_pair(f.block, f.byte)] |= bits;
  }
}

// The model an image names in its band block, as a write makes it.
TEST_F(SettingsBlock, ImageModelIsTheBandBlocksEntryNumber) {
  for (const std::string& model : shipped.data.models()) {
    Image image = EncodeImage(shipped.Model(model));
    EXPECT_EQ(ImageModel(image), shipped.Number(model)) << model;
    image[0x29E] ^= 0xFF;  // the block's marker
    EXPECT_EQ(ImageModel(image), 0) << model;
  }
  Image other = EncodeImage(shipped.Model("KV16U"));
  other[0x29B] = 0;  // the entry number and its index disagree
  EXPECT_EQ(ImageModel(other), 0);
  EXPECT_EQ(ImageModel(Image{}), 0);
}

// Every shipped model: encode, decode as a read would, and every key the
// radio holds comes back as the model file has it; showing that and
// encoding again gives the same bytes.
TEST(RoundTrip, EveryShippedModelComesBackFromItsImage) {
  ShippedSetups shipped;
  const std::set<std::string> not_in_image = {"Type", "Mode", "FreqV", "FreqU", "PF3S"};
  ASSERT_GE(shipped.data.models().size(), 3u);
  for (const std::string& model : shipped.data.models()) {
    SCOPED_TRACE(model);
    const kavir::Setup setup = shipped.Model(model);
    ASSERT_TRUE(CheckBeforeWrite(setup, shipped.data.channel_lists).empty())
        << DescribeProblems(CheckBeforeWrite(setup, shipped.data.channel_lists));
    const Image image = EncodeImage(setup);
    IoStatus why;
    const std::optional<kavir::Setup> read = ImageRecord(image, shipped.Number(model), shipped.data, &why);
    ASSERT_TRUE(read) << why.Message();
    const IniDocument model_file = ReadIniFile(shipped.data.files.ModelFile(model));
    auto values = Stored(*read);
    for (const std::string& key : ProfileKeys()) {
      if (not_in_image.count(key)) continue;
      EXPECT_EQ(values[key], model_file.GetString("Previous", key, "<missing>", 20)) << key;
    }
    EXPECT_EQ(values["PF3S"], "");
    EXPECT_EQ(read->model(), model);
    EXPECT_EQ(read->band_upper, model_file.GetString("Previous", "FreqU", "", 20));
    EXPECT_EQ(EncodeImage(shipped.data.Resolve(*read)), image);
  }
}

}  // namespace
}  // namespace kavir::test
