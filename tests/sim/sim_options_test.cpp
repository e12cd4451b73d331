// kavir-radio-sim's command line and its image files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "sim/sim_options.h"

namespace kavir::sim {
namespace {

std::optional<SimOptions> Parse(std::vector<std::string> args, std::string* error) {
  return ParseSimOptions(args, error);
}

TEST(SimOptions, EveryOptionIsTakenIn) {
  std::string error;
  auto o = Parse({"--image", "a.bin", "--save", "b.bin", "--baud", "9600", "--model", "2",
                  "--silent-from", "0", "--wrong-address", "5", "--short-packet", "7", "--flood",
                  "600", "--hangup-at", "20", "--wrong-handshake", "--faults-once"},
                 &error);
  ASSERT_TRUE(o) << error;
  EXPECT_EQ(o->image_file, "a.bin");
  EXPECT_EQ(o->save_file, "b.bin");
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

TEST(SimOptions, BadUsageIsNamed) {
  std::string error;
  EXPECT_FALSE(Parse({}, &error));
  EXPECT_NE(error.find("--image"), std::string::npos);
  EXPECT_FALSE(Parse({"--image", "a", "--profile", "b"}, &error));
  EXPECT_FALSE(Parse({"--image", "a", "--wrong-address", "49"}, &error));
  EXPECT_NE(error.find("49"), std::string::npos);
  EXPECT_FALSE(Parse({"--image", "a", "--baud", "fast"}, &error));
  EXPECT_FALSE(Parse({"--image"}, &error));
  EXPECT_NE(error.find("needs a value"), std::string::npos);
  EXPECT_FALSE(Parse({"--image", "a", "--bogus"}, &error));
  EXPECT_NE(error.find("--bogus"), std::string::npos);
}

TEST(SimOptions, ImageFilesMustHoldExactly768Bytes) {
  auto dir = std::filesystem::temp_directory_path() / ("kavir-sim-" + std::to_string(std::random_device{}()));
  std::filesystem::create_directories(dir);
  std::string path = (dir / "img.bin").string();
  RadioImage image;
  for (int i = 0; i < kImageBytes; ++i) image[i] = static_cast<std::uint8_t>(i);
  std::string error;
  ASSERT_TRUE(SaveImageFile(path, image, &error)) << error;
  RadioImage back{};
  ASSERT_TRUE(LoadImageFile(path, &back, &error)) << error;
  EXPECT_EQ(back, image);
  std::ofstream(path, std::ios::binary) << "short";
  EXPECT_FALSE(LoadImageFile(path, &back, &error));
  EXPECT_NE(error.find("768"), std::string::npos);
  EXPECT_FALSE(LoadImageFile((dir / "missing.bin").string(), &back, &error));
  EXPECT_NE(error.find("missing.bin"), std::string::npos);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace kavir::sim
