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

}  // namespace
}  // namespace vantaro
