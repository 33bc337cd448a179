#include "game/game_info.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace vantaro::test {
namespace {

// What the dialog and "info ID=VALUE" store, read back as they show it.
TEST(GameInfoValues, StoredValuesReadBackAndUntouchedOnesStay) {
  auto root = ReadSgfText("(;PB[Aoi]KM[abc]RU[Japanese]XY[other];B[aa])").root;
  Node& node = *root->NodeAt(0);
  EXPECT_EQ(GameInfoValue(node, "KM"), u"abc");  // kept as written
  EXPECT_EQ(GameInfoValue(node, "RU"), u"Japanese");
  EXPECT_EQ(GameInfoValue(node, "PW"), std::nullopt);
  SetGameInfoValue(node, "KM", u" 7.5 ");
  SetGameInfoValue(node, "HA", u" 2 ");
  SetGameInfoValue(node, "RU", u"Chinese");
  SetGameInfoValue(node, "ON", u"Low Chinese");
  SetGameInfoValue(node, "PB", u"");
  EXPECT_EQ(GameInfoValue(node, "KM"), u"7.5");
  EXPECT_EQ(WriteSgfText(*root),
            "(;RU[Chinese]XY[other]ON[Low Chinese]KM[7.500000]HA[2]\r\n;B[aa])");
  EXPECT_EQ(FindGameInfoIdentifier("ON"), "ON");
  EXPECT_EQ(FindGameInfoIdentifier("C"), std::nullopt);
  EXPECT_EQ(FindGameInfoIdentifier("pb"), std::nullopt);
  EXPECT_EQ(GameInfoLabel("WR"), "White Rank");
  EXPECT_EQ(GameInfoLabel("OT"), "Overtime");
}

}  // namespace
}  // namespace vantaro::test
