#include "game/game_tree.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace vantaro {
namespace {

using test::ReadSgfText;

TEST(GameTree, OutOfRangeIndexesGiveNullAndNegativeInsertsAppend) {
  auto record = ReadSgfText("(;B[aa];W[bb](;B[cc]))");
  GameTree& root = *record.root;
  EXPECT_EQ(root.NodeAt(-1), nullptr);
  EXPECT_EQ(root.NodeAt(2), nullptr);
  EXPECT_EQ(root.ChildAt(-1), nullptr);
  EXPECT_EQ(root.ChildAt(1), nullptr);
  auto node = std::make_unique<Node>();
  Node* added = node.get();
  root.InsertNode(std::move(node), -1);
  EXPECT_EQ(root.NodeAt(2), added);
  EXPECT_EQ(added->tree(), &root);
  EXPECT_EQ(added->IndexInTree(), 2);
  auto detached = root.DetachNode(2);
  EXPECT_EQ(detached->tree(), nullptr);
}

TEST(Node, AConflictingSetupOrMarkupPropertyIsReplacedOnce) {
  auto record = ReadSgfText("(;AB[cc]AE[cc]CR[cc]C[x])");
  Node& node = *record.root->NodeAt(0);
  node.RemoveConflicting(Property::WithPoint(kPropAW, {2, 2}));
  ASSERT_EQ(node.properties().size(), 3u);
  EXPECT_EQ(node.properties()[0].id(), kPropAE);
  node.RemoveConflicting(Property::WithPoint(kPropTR, {2, 2}));
  EXPECT_EQ(node.properties().size(), 2u);
  node.RemoveConflicting(Property::WithText(kPropC, u"y"));
  EXPECT_EQ(node.properties().size(), 2u);
}

TEST(GameTree, MoveTailSplitsAndJoinsSequences) {
  auto record = ReadSgfText("(;C[0];C[1];C[2](;C[a])(;C[b]))");
  GameTree& root = *record.root;
  GameTree tail;
  tail.MoveTailFrom(root, 1);
  EXPECT_EQ(root.NodeCount(), 1);
  EXPECT_EQ(root.ChildCount(), 0);
  EXPECT_EQ(tail.NodeCount(), 2);
  EXPECT_EQ(tail.ChildAt(1)->parent(), &tail);
  root.MoveTailFrom(tail, 0);
  EXPECT_EQ(test::WriteSgfText(root), "(;C[0]\r\n;C[1];C[2]\r\n(;C[a])\r\n(;C[b]))");
}

TEST(GameTree, PathsResolveAndFailOutsideTheTree) {
  auto record = ReadSgfText("(;C[0](;C[a])(;C[b];C[c](;C[d])))");
  GameTree& root = *record.root;
  GameTree& c = *root.ChildAt(1);
  EXPECT_EQ(c.PathOf(1), (TreePath{{1}, 1}));
  EXPECT_EQ(c.ChildAt(0)->PathOf(0), (TreePath{{1, 0}, 0}));
  EXPECT_EQ(GameTree::Resolve(root, {{1, 0}, 0})->node(), c.ChildAt(0)->NodeAt(0));
  EXPECT_FALSE(GameTree::Resolve(root, {{2}, 0}).has_value());
  EXPECT_FALSE(GameTree::Resolve(root, {{1}, 2}).has_value());
  EXPECT_FALSE(GameTree::Resolve(root, {{1}, -1}).has_value());
  EXPECT_TRUE(root.ChildAt(0)->IsOnMainLine());
  EXPECT_FALSE(c.ChildAt(0)->IsOnMainLine());
  EXPECT_EQ(root.LastNodeAlongFirstChildren(), root.ChildAt(0)->NodeAt(0));
  EXPECT_TRUE(c.Precedes(1, c.NodeAt(0)));
  EXPECT_TRUE(c.Precedes(0, root.NodeAt(0)));
  EXPECT_FALSE(c.Precedes(1, c.NodeAt(1)));
  EXPECT_FALSE(c.Precedes(1, root.ChildAt(0)->NodeAt(0)));
}

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
