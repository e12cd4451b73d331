// kavir-radio-sim's options for radios in turn on one cable.
#include <gtest/gtest.h>

#include "sim/sim_options.h"

namespace kavir::sim {
namespace {

TEST(CableOptions, RadiosAndModels) {
  const struct {
    std::vector<std::string> args;
    std::vector<int> models;  // empty: refused
  } cases[] = {
      {{}, {}},
      {{"--radios", "3"}, {1, 1, 1}},
      {{"--radios", "2", "--model", "2"}, {2, 2}},
      {{"--models", "2,1,2"}, {2, 1, 2}},
      {{"--models", "2,,1"}, {}},
      {{"--models", "0"}, {}},
      {{"--models", "1,"}, {}},
      {{"--radios", "0"}, {}},
      {{"--radios", "2", "--models", "1,1"}, {}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args{"--image", "x.bin"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    std::string error;
    const auto o = ParseSimOptions(args, &error);
    const bool refused = c.models.empty() && !c.args.empty();
    ASSERT_EQ(!o, refused) << testing::PrintToString(c.args) << " " << error;
    if (o) EXPECT_EQ(o->cable_models, c.models) << testing::PrintToString(c.args);
  }
}

}  // namespace
}  // namespace kavir::sim
