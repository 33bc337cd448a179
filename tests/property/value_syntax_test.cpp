#include "property/value_syntax.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace vantaro {
namespace {

TEST(ParsePoint, LettersGiveCoordinatesAndOtherBytesAreSkipped) {
  EXPECT_EQ(ParsePoint("pd"), (Point{15, 3}));
  EXPECT_EQ(ParsePoint("p-d!"), (Point{15, 3}));
  EXPECT_EQ(ParsePoint("aZ"), (Point{0, 51}));
  EXPECT_EQ(ParsePoint("AA"), (Point{26, 26}));
  EXPECT_EQ(ParsePoint("tt"), (Point{19, 19}));  // not a pass
  EXPECT_EQ(ParsePoint("aa:cc"), (Point{0, 0}));
}

TEST(ParsePoint, NoLetterIsAPassAndOneLetterFails) {
  EXPECT_EQ(ParsePoint(""), Point{});
  EXPECT_EQ(ParsePoint("12"), Point{});
  EXPECT_FALSE(ParsePoint("a").has_value());
  EXPECT_FALSE(ParsePoint("a1").has_value());
}

TEST(ParseCompressedRectangle, OnlyTheExactFormCounts) {
  const auto corners = ParseCompressedRectangle("aa:cc");
  ASSERT_TRUE(corners.has_value());
  EXPECT_EQ(corners->first, (Point{0, 0}));
  EXPECT_EQ(corners->second, (Point{2, 2}));
  EXPECT_FALSE(ParseCompressedRectangle("aa:c").has_value());
  EXPECT_FALSE(ParseCompressedRectangle("aa;cc").has_value());
  EXPECT_FALSE(ParseCompressedRectangle(" aa:cc").has_value());
}

TEST(ParseNumber, ReadsTheLeadingNumberOrRefuses) {
  EXPECT_EQ(ParseNumber(" 42 "), 42);
  EXPECT_EQ(ParseNumber("-7abc"), -7);
  EXPECT_EQ(ParseNumber("+3"), 3);
  EXPECT_EQ(ParseNumber("3.9"), 3);
  EXPECT_FALSE(ParseNumber("tournament").has_value());
  EXPECT_FALSE(ParseNumber("").has_value());
  EXPECT_FALSE(ParseNumber("- 5").has_value());
  EXPECT_FALSE(ParseNumber("99999999999").has_value());  // would not fit
}

TEST(ParseReal, ReadsTheLeadingRealOrRefuses) {
  EXPECT_EQ(ParseReal("6.5"), 6.5);
  EXPECT_EQ(ParseReal(" -0.5pts"), -0.5);
  EXPECT_EQ(ParseReal(".75"), 0.75);
  EXPECT_EQ(ParseReal("375"), 375.0);
  EXPECT_FALSE(ParseReal("inf").has_value());
  EXPECT_FALSE(ParseReal(".").has_value());
  EXPECT_FALSE(ParseReal("six").has_value());
}

TEST(ParseBoardSize, OneOrTwoTokens) {
  EXPECT_EQ(ParseBoardSize("19"), (Point{19, 19}));
  EXPECT_EQ(ParseBoardSize("17:15"), (Point{17, 15}));
  EXPECT_EQ(ParseBoardSize(":17::15:"), (Point{17, 15}));
  EXPECT_EQ(ParseBoardSize("a:b:c"), (Point{19, 19}));
  EXPECT_EQ(ParseBoardSize(""), (Point{19, 19}));
  EXPECT_EQ(ParseBoardSize("x"), (Point{0, 0}));
}

TEST(WriteValues, NumbersIgnoreTheUserLocale) {
  const char* used = nullptr;
  for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE.utf8", "ru_RU.UTF-8"}) {
    if (std::setlocale(LC_ALL, name) != nullptr) {
      used = name;
      break;
    }
  }
  if (used == nullptr) GTEST_SKIP() << "no locale with a decimal comma is installed";
  std::string out;
  AppendReal(6.5, out);
  const auto read = ParseReal("6.5");
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(out, "6.500000") << used;
  EXPECT_EQ(read, 6.5) << used;
}

}  // namespace
}  // namespace vantaro
