#include "game/tag_filter.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace vantaro {
namespace {

using test::ReadSgfText;

TEST(FilterTags, RemovesTaggedPropertiesAndNodesLeftEmpty) {
  auto record = ReadSgfText("(;SZ[9];B[aa]MN[3];MN[4]C[x](;LB[aa:A])(;W[bb]))");
  FilterTags(*record.root, "mn, c  lb");
  EXPECT_EQ(test::WriteSgfText(*record.root), "(;SZ[9]\r\n;B[aa]\r\n(;N[])\r\n(;W[bb]))");
}

// Every other node of a long line went one at a time, each shifting the rest
// of the line: quadratic in the length of the line.
TEST(FilterTags, ALongLineLosesEveryOtherNodeInOnePass) {
  std::string sgf = "(;SZ[19]";
  for (int i = 0; i < 200000; ++i) sgf += i % 2 == 0 ? ";MN[1]" : ";B[aa]MN[2]C[x]";
  sgf += ")";
  auto record = ReadSgfText(sgf);
  FilterTags(*record.root, "MN");
  ASSERT_EQ(record.root->NodeCount(), 100001);
  for (int i = 1; i < record.root->NodeCount(); ++i) {
    const PropertyList& properties = record.root->NodeAt(i)->properties();
    ASSERT_EQ(properties.size(), 2u);
    EXPECT_EQ(properties[0].id(), kPropB);
    EXPECT_EQ(properties[1].id(), kPropC);
  }
}

}  // namespace
}  // namespace vantaro
