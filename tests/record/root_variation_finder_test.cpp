#include "record/root_variation_finder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantaro {
namespace {

// Every offset the finder offers, in order, with none of them wanted.
std::vector<std::size_t> Offered(std::string_view text) {
  std::vector<std::size_t> offsets;
  const std::atomic<bool> stop = false;
  FindRootVariation(
      text,
      [&](std::size_t offset) {
        offsets.push_back(offset);
        return false;
      },
      stop);
  return offsets;
}

TEST(RootVariationFinder, OffersTheRootsVariationsOnlyWhateverTheirValuesHold) {
  const std::string text =
      "(;GM[1]C[a (comment) with ( and \\] and \\\\]"
      "(;B[aa](;W[bb])(;W[cc]))"
      "(;B[dd]C[(;B[ee\\])])"
      "(;W[ff])"
      ")"
      "(;B[gg](;W[hh]))";
  const std::size_t first = text.find("(;B[aa]");
  const std::size_t second = text.find("(;B[dd]");
  const std::size_t third = text.find("(;W[ff]");
  EXPECT_EQ(Offered(text), (std::vector<std::size_t>{first, second, third}))
      << "nested variations, text in values and the next game are no root variations";
}

TEST(RootVariationFinder, TakesTheFirstWantedAndStartsWhereTheReaderDoes) {
  const std::string text = "prose (with parentheses) first\n(;GM[1](;B[aa])(;B[bb])(;B[cc]))";
  const std::atomic<bool> stop = false;
  const std::size_t second = text.find("(;B[bb]");
  EXPECT_EQ(FindRootVariation(text, [&](std::size_t offset) { return offset >= second; }, stop),
            second);
  EXPECT_EQ(Offered(text).front(), text.find("(;B[aa]"));
}

TEST(RootVariationFinder, FindsNothingInTextThatEndsInsideAValueOrOnceStopped) {
  EXPECT_TRUE(Offered("(;GM[1]C[never closed (;B[aa])").empty());
  EXPECT_TRUE(Offered("(;GM[1]C[escape at the end\\").empty());
  EXPECT_TRUE(Offered("no game tree at all").empty());
  const std::atomic<bool> stop = true;
  EXPECT_EQ(FindRootVariation("(;GM[1](;B[aa]))", [](std::size_t) { return true; }, stop),
            std::string_view::npos);
}

}  // namespace
}  // namespace vantaro
