#include "property/property.h"

#include <gtest/gtest.h>

namespace vantaro {
namespace {

TEST(Property, ACopyKeepsItsOwnValue) {
  auto source = std::make_unique<Property>(Property::WithText(kPropC, u"first"));
  Property copy = *source;
  source->SetText(u"changed");
  EXPECT_EQ(copy.text(), u"first");
  source.reset();
  EXPECT_EQ(copy.text(), u"first");

  Property unknown = Property::Unrecognised({"GM", {u"1", u"2"}});
  Property unknownCopy = unknown;
  unknown = Property(kPropB);
  EXPECT_EQ(unknownCopy.Name(), "GM");
  EXPECT_EQ(unknownCopy.unknown()->values.size(), 2u);
}

TEST(Property, MovingAndAssigningAcrossKinds) {
  Property property = Property::WithPointText(kPropLB, {3, 3}, u"A");
  Property moved = std::move(property);
  EXPECT_EQ(moved.point(), (Point{3, 3}));
  EXPECT_EQ(moved.text(), u"A");
  moved = Property::WithReal(kPropKM, 6.5);
  EXPECT_EQ(moved.real(), 6.5);
  moved = Property::Verbatim(kPropTE, u"tournament");
  EXPECT_EQ(moved.kind(), ValueKind::Verbatim);
  EXPECT_EQ(moved.text(), u"tournament");
  EXPECT_EQ(moved.number(), 0);
  moved.SetNumber(2);
  EXPECT_EQ(moved.kind(), ValueKind::Number);
  EXPECT_EQ(moved.number(), 2);
}

TEST(PropertyTable, LookupIsExactAndCaseSensitive) {
  for (const char* name : {"GM", "ab", "", "ABC"}) EXPECT_EQ(FindPropertyIndex(name), 0) << name;
  for (int i = 1; i < kPropertyCount; ++i) EXPECT_EQ(FindPropertyIndex(PropertyRow(i).name), i);
}

}  // namespace
}  // namespace vantaro
