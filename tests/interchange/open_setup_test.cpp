// Set-up files read as values or opened into the screen (profiles and radio
// images), and an import put on the screen as one step.
#include "screen/open_setup.h"

#include <gtest/gtest.h>

#include "batch/batch_setup.h"
#include "codec/image_file.h"
#include "interchange/csv_import.h"
#include "interchange/setup_compare.h"
#include "link/backup_names.h"
#include "setup/profile_keys.h"
#include "shipped_setup.h"
#include "support.h"

namespace kavir::test {
namespace {

using F = ChannelField;

struct FixedAnswer : ModelQuestion {
  int answer = 0, asked = 0;
  int AskModel(const std::string&, const std::vector<std::string>&) override { return ++asked, answer; }
};

std::string Bytes(const Image& image) { return std::string(image.begin(), image.end()); }

// The set-up's image saved under name in the folder.
std::string SaveImage(const ShippedDir& d, const kavir::Setup& setup, const std::string& name) {
  const CheckedImage built = ImageForWrite(setup, ShippedSetups().data.channel_lists, RadioIdentity{});
  EXPECT_TRUE(built.image) << DescribeProblems(built.problems);
  WriteBytes(d.dir.File(name), built.image ? Bytes(*built.image) : "");
  return d.dir.File(name);
}

TEST(ModelFromBackupName, NamesOfBackups) {
  const std::vector<std::string> models = {"KV16V", "KV16U", "KV16可定义", "KV16V-X", "A/B"};
  const struct {
    const char* path;
    int model;
  } cases[] = {{"/x/backups/read-KV16V-20261207-101500.bin", 1},
               {"write-KV16U-20261207-101500-2.bin", 2},
               {"/x/read-KV16可定义-20261207-101500.bin", 3},
               {"read-KV16V-X-20261207-101500.bin", 4},  // the longest name that fits
               {"read-A_B-20261207-101500.bin", 5},      // as the backup wrote a name a file cannot hold
               {"/read-KV16V/radio.bin", 0},
               {"KV16V.bin", 0},
               {"read-KV16-20261207.bin", 0},
               {"copy-KV16V-20261207.bin", 0}};
  for (const auto& c : cases) EXPECT_EQ(ModelFromBackupName(c.path, models), c.model) << c.path;
}

TEST(ReadSetupFile, ReadsAProfileOrImageAsValuesOrSaysWhyNot) {
  ShippedDir d;
  const ProgramData data = ProgramData::Load(d.files);
  kavir::Setup source = data.start;  // KV16V
  source.channel(3)[F::RxFreq] = "145.50000";
  const std::string named = SaveImage(d, source, "read-KV16V-20261207-101500.bin");
  const std::string unnamed = SaveImage(d, source, "radio.img");
  WriteBytes(d.dir.File("notes.txt"), "channel plan for the club\r\n");
  WriteBytes(d.dir.File("notes"), "channel plan for the club\r\n");
  IniDocument no_band = ReadIniFile(d.files.ModelFile("KV16U"));
  no_band.SetString("Previous", "FreqU", "");
  ASSERT_TRUE(WriteIniFile(d.files.ModelFile("KV16U"), no_band).ok);

  const SetupFile profile = ReadSetupFile(d.files.ModelFile("KV16V"), 0, nullptr, data);
  ASSERT_TRUE(profile.status) << profile.message;
  EXPECT_FALSE(profile.image);
  EXPECT_EQ(*profile.record, ReadSetupRecord(ReadIniFile(d.files.ModelFile("KV16V"))));
  const SetupFile image = ReadSetupFile(named, 0, nullptr, data);
  ASSERT_TRUE(image.status) << image.message;
  EXPECT_TRUE(image.image);
  ASSERT_TRUE(image.image_bytes);
  EXPECT_EQ(Bytes(*image.image_bytes), ReadBytes(named));
  const kavir::Setup shown = data.Resolve(*image.record);
  EXPECT_EQ(shown.model(), "KV16V");
  EXPECT_EQ(shown.channels, source.channels);
  EXPECT_EQ(EncodeImage(shown), *image.image_bytes);
  EXPECT_FALSE(std::filesystem::exists(d.files.read_ini));

  // The image names its model: nobody is asked, and another is taken only when forced.
  FixedAnswer ask;
  ASSERT_TRUE(ReadSetupFile(unnamed, 0, &ask, data).record);
  EXPECT_EQ(ask.asked, 0);
  const std::string misnamed = SaveImage(d, source, "read-KV16U-20261207-101500.bin");
  const struct {
    std::string path;
    int model;
    bool force;
    const char* message;
  } refused[] = {
      {d.dir.File("missing.dat"), 0, false, "无法读取文件 "},
      {d.dir.File("notes.txt"), 0, false, "不是数据文件"},
      {d.dir.File("notes"), 0, false, "不是数据文件"},  // no extension: not taken as an image's name
      {unnamed, 2, false, "而指定的是第 2 号"},
      {misnamed, 0, false, "而文件名中的是第 2 号"},
      {unnamed, 9, true, "model 9 is not in the Type list (1 to 3)"},
      {misnamed, 0, true, "gives no upper band limit"},
  };
  for (const auto& r : refused) {
    const SetupFile f = ReadSetupFile(r.path, r.model, nullptr, data, r.force);
    EXPECT_FALSE(f.status) << r.path;
    EXPECT_FALSE(f.record) << r.path;
    EXPECT_NE(f.message.find(r.message), std::string::npos) << f.message;
  }
}

// The screen's set-up with channel 3 changed.
kavir::Setup Channel3Changed(const ShippedScreen& s) {
  kavir::Setup source = s.view->setup();
  source.channel(3)[F::RxFreq] = "145.50000";
  source.channel(3)[F::RxTone] = "-DCS:754";
  return source;
}

// Opened, an image saves as the same bytes again.
TEST(OpenSetupFile, OpensAnImageAsAReadOfTheModelItNames) {
  ShippedScreen s;
  const kavir::Setup source = Channel3Changed(s);
  const std::string path = SaveImage(s, source, "read-KV16V-20261207-101500.bin");
  const OpenOutcome out = OpenSetupFile(*s.view, path, 0, nullptr);
  ASSERT_TRUE(out.status) << out.status.Message();
  EXPECT_TRUE(out.image);
  EXPECT_EQ(s.view->Selected("Type").text, "KV16V") << "the model named by the file name";
  EXPECT_EQ(s.view->Cell(3, 1).text, "145.50000");
  EXPECT_EQ(s.view->Cell(3, 2).text, "-DCS:754");
  EXPECT_EQ(s.view->document().current_file_name, path);
  EXPECT_FALSE(s.view->IsModified());
  EXPECT_FALSE(std::filesystem::exists(s.files.read_ini));
  EXPECT_EQ(Bytes(*ImageForWrite(s.view->setup(), s.view->channel_lists, s.view->radio_identity()).image),
            ReadBytes(path));
  // An image differs from its profile only where the radio keeps no setting
  // of its own (the fixed settings), never in a channel.
  for (const SetupDifference& d : CompareSetups(source, s.view->setup()))
    EXPECT_EQ(d.where.rfind("CH", 0), std::string::npos) << DifferenceLine(d);
  EXPECT_FALSE(OpenSetupFile(*s.view, path, 2, nullptr).status) << "the image names KV16V";
  ASSERT_TRUE(OpenSetupFile(*s.view, path, 2, nullptr, true).status);
  EXPECT_EQ(s.view->Selected("Type").text, "KV16U") << "a model forced wins over the image's";
  s.view->Undo();
  EXPECT_EQ(s.view->Selected("Type").text, "KV16V") << "an open is one step that undo takes back";
}

// No model in the name: the image's own, without a question.
TEST(OpenSetupFile, AnImageWithoutAModelInItsNameOpensAsItsOwn) {
  ShippedScreen s;
  const std::string unnamed = SaveImage(s, Channel3Changed(s), "radio.img");
  SetCell(*s.view, 3, 1, "150.00000");
  FixedAnswer ask;
  ASSERT_TRUE(OpenSetupFile(*s.view, unnamed, 0, &ask).status);
  EXPECT_EQ(ask.asked, 0);
  EXPECT_EQ(s.view->Selected("Type").text, "KV16V");
  EXPECT_EQ(s.view->Cell(3, 1).text, "145.50000");
}

TEST(OpenSetupFile, AProfileOpensAsOpenAlwaysDid) {
  ShippedScreen s;
  ASSERT_TRUE(OpenSetupFile(*s.view, s.files.ModelFile("KV16U"), 0, nullptr).status);
  EXPECT_EQ(s.view->setup(), ShippedSetups().Model("KV16U"));
  EXPECT_EQ(s.view->document().current_file_name, s.files.ModelFile("KV16U"));
}

// A channel that is off never transmits, however its file sets the TX box:
// the screen, a set-up read without one and a batch send the same bytes.
TEST(ReadSetupFile, AChannelThatIsOffNeverTransmitsWhereverItIsRead) {
  ShippedScreen s;
  IniDocument doc = ReadIniFile(s.files.ModelFile("KV16V"));
  doc.SetString("Previous", ChBoxKey(5), "0");
  doc.SetString("Previous", TxBoxKey(5), "1");
  const std::string path = s.dir.File("ch5-off.dat");
  ASSERT_TRUE(WriteIniFile(path, doc).ok);

  ASSERT_TRUE(OpenSetupFile(*s.view, path, 0, nullptr).status);
  const kavir::Setup on_screen = s.view->setup();
  EXPECT_FALSE(on_screen.channel(5).tx_enabled);
  const ProgramData data = ProgramData::Load(s.files);
  EXPECT_EQ(data.Resolve(*ReadSetupFile(path, 0, nullptr, data).record), on_screen);
  std::string error;
  const std::optional<BatchSetup> batch = SetupFromFile(path, data, &error);
  ASSERT_TRUE(batch) << error;
  EXPECT_EQ(Bytes(batch->image), Bytes(EncodeImage(on_screen, data.identity)));
}

// An import goes onto the screen as one step; the rows follow their boxes,
// and a channel the import left alone keeps its boxes as they were.
TEST(ApplySetup, OneStepRowsRecolouredOtherChannelsLeftAlone) {
  ShippedScreen s;
  CKAVIRView& v = *s.view;
  SetBoxes(v, 9, false, true);  // channel 9: closed, its TX box left set
  const auto before = v.Values();
  kavir::Setup changed = v.setup();
  const std::string csv = "Location,Frequency,Duplex\n2,146.52,off\n5,146.94,\n";
  ApplyImport(PlanCsvImport(csv, LimitsOf(changed, v.channel_lists), true), v.channel_lists, changed);
  changed.channel(3).enabled = changed.channel(3).tx_enabled = false;  // and one channel closed
  ASSERT_TRUE(v.ApplySetup(changed));
  EXPECT_EQ(v.setup(), changed);
  EXPECT_EQ(v.Cell(2, 3).fore_color, kGrey) << "TX off greys the transmit columns";
  EXPECT_EQ(v.Cell(2, 1).fore_color, kBlack);
  EXPECT_EQ(v.Cell(5, 1).fore_color, kBlack);
  EXPECT_EQ(v.Cell(3, 1).fore_color, kGrey) << "a closed channel is grey throughout";
  EXPECT_TRUE(v.setup().channel(9).tx_enabled) << "channel 9 was not imported";
  EXPECT_FALSE(v.ApplySetup(changed)) << "nothing left to change";
  v.Undo();
  EXPECT_EQ(v.Values(), before);
}

}  // namespace
}  // namespace kavir::test
