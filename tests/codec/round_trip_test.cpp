#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "codec_test_support.h"
#include "profile/profile.h"
#include "profile/profile_keys.h"

namespace kavir::test {
namespace {

// Every shipped model: encode its screen, decode the image as a read would,
// and every key the radio holds comes back as the model file has it.
TEST(RoundTrip, EveryShippedModelComesBackFromItsImage) {
  ShippedScreen s;
  const IniDocument kavir = s.Kavir();
  const auto models = ReadOptionList(kavir, "Type", kSettingListLimit);
  ASSERT_GE(models.size(), 3u);
  const std::set<std::string> not_in_image = {"Type", "Mode", "FreqV", "FreqU", "PF3S"};
  for (const std::string& model : models) {
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
      EXPECT_EQ(read.GetString("Previous", key, "<missing>", 20),
                model_file.GetString("Previous", key, "<missing>", 20))
          << key;
    }
    EXPECT_EQ(read.GetString("Previous", "PF3S", "<missing>", 20), "");
  }
}

// The image read back, loaded and encoded again, gives the same bytes: a
// read followed by a write leaves the radio as it was.
TEST(RoundTrip, ReadThenWriteGivesTheSameImage) {
  ShippedScreen s;
  s.Load("KV16U");
  const Image first = EncodeImage(s.Stored(), *s.view);
  IniDocument read;
  ClearProfileKeys(read);
  DecodeImage(first, read, s.Kavir());
  read.SetString("Previous", "Type", "KV16U");
  read.SetString("Previous", "FreqV", "400");
  read.SetString("Previous", "FreqU", "470");
  const std::string path = s.dir.File("read.ini");
  ASSERT_TRUE(WriteIniFile(path, read).ok);
  s.view->LoadProfile(path);
  EXPECT_EQ(EncodeImage(s.Stored(), *s.view), first);
}

}  // namespace
}  // namespace kavir::test
