#include "game/game_tree.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace vantaro {
namespace {

using test::ReadSgfText;

// Whole-record edits and the undo steps work on copies: a shared node or a
// lost second game of the file would change or drop what the user saved.
TEST(GameTree, CloneIsDeepAndKeepsTheCollectionTail) {
  auto record = ReadSgfText("(;C[0](;C[a])(;C[b]))\n(;C[next])");
  auto copy = record.root->Clone();
  EXPECT_TRUE(test::SameTree(*record.root, *copy));
  record.root->ChildAt(0)->NodeAt(0)->Find(kPropC)->SetText(u"changed");
  EXPECT_EQ(copy->ChildAt(0)->NodeAt(0)->Find(kPropC)->text(), u"a");
  ASSERT_NE(copy->collectionTail(), nullptr);
  EXPECT_EQ(*copy->collectionTail(), "\n(;C[next])");
  EXPECT_EQ(copy->ChildAt(1)->parent(), copy.get());
}

}  // namespace
}  // namespace vantaro
