#include "options/options.h"

#include <gtest/gtest.h>

namespace vantaro::test {
namespace {

struct ClampCase {
  std::string_view setting;
  std::string_view typed;
  int kept;
};
void PrintTo(const ClampCase& c, std::ostream* out) {
  *out << c.setting << "=" << c.typed;
}

class ClampTest : public ::testing::TestWithParam<ClampCase> {};

TEST_P(ClampTest, SettingsOutOfRangeAreClampedAfterSetting) {
  const ClampCase& c = GetParam();
  Options options(u"/install");
  const OptionDescriptor* option = FindOption(c.setting);
  ASSERT_NE(option, nullptr);
  ASSERT_TRUE(SetOptionFromText(options, *option, c.typed));
  ClampOptions(options);
  EXPECT_EQ(options.*std::get<int Options::*>(option->field), c.kept);
}

INSTANTIATE_TEST_SUITE_P(
    Options, ClampTest,
    ::testing::Values(ClampCase{"rotation", "-1", 0}, ClampCase{"rotation", "0", 0},
                      ClampCase{"rotation", "3", 3}, ClampCase{"rotation", "4", 3},
                      ClampCase{"rotation", "-2147483648", 0}, ClampCase{"BoardSizeCX", "1", 2},
                      ClampCase{"BoardSizeCY", "60", 52}, ClampCase{"BoardSizeCX", "13", 13},
                      ClampCase{"windowLayout", "2", 2}, ClampCase{"windowLayout", "3", 0},
                      ClampCase{"windowLayout", "-1", 0}));

// A stone style is typed as its stored number; a number that names no style
// draws generated stones.
TEST(StoneStyleTest, StoredNumbersDecodeToTheirStyleAndOthersToGeneratedStones) {
  const struct {
    std::string_view typed;
    StoneStyle style;
  } cases[] = {
      {"0", StoneStyle::Generated},  {"1", StoneStyle::MonoAntialiased},
      {"2", StoneStyle::Mono},       {"3", StoneStyle::Image},
      {"4", StoneStyle::Material},   {"5", StoneStyle::Generated},
      {"-1", StoneStyle::Generated},
  };
  const OptionDescriptor* option = FindOption("stoneTypeW");
  ASSERT_NE(option, nullptr);
  for (const auto& c : cases) {
    Options options(u"/install");
    options.stoneTypeW = StoneStyle::Mono;
    ASSERT_TRUE(SetOptionFromText(options, *option, c.typed));
    EXPECT_EQ(options.stoneTypeW, c.style) << c.typed;
  }
  Options options(u"/install");
  options.stoneTypeW = StoneStyle::Mono;
  EXPECT_FALSE(SetOptionFromText(options, *option, "glass"));
  EXPECT_EQ(options.stoneTypeW, StoneStyle::Mono);
}

}  // namespace
}  // namespace vantaro::test
