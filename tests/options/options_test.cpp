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

}  // namespace
}  // namespace vantaro::test
