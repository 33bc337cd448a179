#include "game/game_tree.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace vantaro {
namespace {

using test::ReadSgfText;

// Whole-record edits and the undo steps work on copies: a shared node would
// change what the user saved.
TEST(GameTree, CloneIsDeep) {
  auto record = ReadSgfText("(;C[0](;C[a])(;C[b]))");
  auto copy = record.root->Clone();
  EXPECT_TRUE(test::SameTree(*record.root, *copy));
  record.root->ChildAt(0)->NodeAt(0)->Find(kPropC)->SetText(u"changed");
  EXPECT_EQ(copy->ChildAt(0)->NodeAt(0)->Find(kPropC)->text(), u"a");
  EXPECT_EQ(copy->ChildAt(1)->parent(), copy.get());
}

}  // namespace
}  // namespace vantaro
