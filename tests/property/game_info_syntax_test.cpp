#include "property/game_info_syntax.h"

#include <gtest/gtest.h>

#include "text/text_conversion.h"

namespace vantaro::test {
namespace {

constexpr auto A = ValueVerdict::Accepted;
constexpr auto W = ValueVerdict::Warned;
constexpr auto R = ValueVerdict::Refused;

struct SyntaxCase {
  const char* identifier;
  const char* text;
  ValueVerdict verdict;
};

TEST(GameInfoSyntax, EachValueIsAcceptedWarnedOrRefusedByItsProperty) {
  const SyntaxCase cases[] = {
      {"KM", "6.5", A},
      {"KM", " 7 ", A},
      {"KM", "-3", A},
      {"KM", "+0.5", A},
      {"KM", "", A},
      {"KM", "6,5", R},
      {"KM", "6.5 points", R},
      {"KM", "abc", R},
      {"KM", ".5", R},
      {"KM", "6.", R},
      {"HA", "0", A},
      {"HA", "2", A},
      {"HA", "13", A},
      {"HA", "1", R},
      {"HA", "01", R},
      {"HA", "-2", R},
      {"HA", "2.5", R},
      {"HA", "two", R},
      {"DT", "2024-03-05", A},
      {"DT", "2024-03", A},
      {"DT", "2024", A},
      {"DT", "2024-03-05,06", A},
      {"DT", "1996-05,06", A},
      {"DT", "2024-03-05,03-07", A},
      {"DT", "1996-12-27,28,1997-01-03,04", A},
      {"DT", "1996,1997", A},
      {"DT", "2024-13-01", W},
      {"DT", "2024-03-32", W},
      {"DT", "2024-3-5", W},
      {"DT", "05,06", W},
      {"DT", "2024,06", W},
      {"DT", "2024-03,05-06", W},
      {"DT", "2024-03-05,", W},
      {"DT", "March 2024", W},
      {"RE", "B+R", A},
      {"RE", "W+Resign", A},
      {"RE", "W+6.5", A},
      {"RE", "B+T", A},
      {"RE", "B+Time", A},
      {"RE", "W+F", A},
      {"RE", "W+Forfeit", A},
      {"RE", "B+", A},
      {"RE", "0", A},
      {"RE", "Draw", A},
      {"RE", "Void", A},
      {"RE", "?", A},
      {"RE", "B+-3", W},
      {"RE", "b+r", W},
      {"RE", "W+R ", W},
      {"RE", "Black wins", W},
      {"RE", "Jigo", W},
      {"PB", "anything at all", A},
      {"RU", "6.5", A},
  };
  for (const SyntaxCase& c : cases) {
    EXPECT_EQ(CheckGameInfoValue(c.identifier, FromUtf8(c.text)).verdict, c.verdict)
        << c.identifier << "[" << c.text << "]";
  }
}

// The reasons are what the dialog shows and what vantaro-cli prints.
TEST(GameInfoSyntax, RefusalsAndWarningsSayWhy) {
  EXPECT_EQ(CheckGameInfoValue("KM", u"x").reason, u"Komi must be a number, such as 6.5");
  EXPECT_EQ(CheckGameInfoValue("HA", u"1").reason,
            u"Handicap must be 0 or a whole number from 2 up");
  EXPECT_FALSE(CheckGameInfoValue("DT", u"x").reason.empty());
  EXPECT_FALSE(CheckGameInfoValue("RE", u"x").reason.empty());
  EXPECT_TRUE(CheckGameInfoValue("RE", u"B+R").reason.empty());
}

}  // namespace
}  // namespace vantaro::test
