#include "property/property.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "text/text_conversion.h"

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

// Text read as UTF-8 keeps its bytes until it is first viewed; what it then
// shows must be what decoding it at once would have given.
TEST(PackedText, Utf8BytesReadAsTheTextModuleDecodesThem) {
  for (const std::string bytes :
       {"", "plain", "\xe5\x9b\xb4\xe6\xa3\x8b and go", "\xf0\x9f\x98\x80",
        "caf\xe9 latin-1", "cut \xf0\x9f"}) {
    SCOPED_TRACE(bytes);
    const PackedText text = PackedText::FromUtf8(bytes);
    EXPECT_EQ(text.view(), BytesToWide(bytes, kUtf8CodePage));
    EXPECT_EQ(text.view().data(), text.view().data()) << "made once, then kept";
  }
}

TEST(PackedText, CopiesMovesAndNewValuesOfUtf8TextOwnTheirOwn) {
  auto source = std::make_unique<Property>(Property::WithUtf8Text(kPropC, "\xe9\xbb\x91 first"));
  const Property unviewed = *source;
  EXPECT_EQ(unviewed.utf8Text(), "\xe9\xbb\x91 first") << "a copy keeps the bytes";
  EXPECT_EQ(source->text(), u"\u9ed1 first");
  const Property viewed = *source;
  Property moved = std::move(*source);
  source.reset();
  EXPECT_EQ(unviewed.text(), u"\u9ed1 first");
  EXPECT_EQ(viewed.text(), u"\u9ed1 first");
  EXPECT_EQ(moved.text(), u"\u9ed1 first");
  moved.SetText(u"changed");
  EXPECT_EQ(moved.text(), u"changed");
  EXPECT_EQ(Property::WithUtf8Text(kPropB, "pd").kind(), ValueKind::Point)
      << "only a text property takes text";
}

TEST(PackedText, ThreadsViewingUtf8TextFirstAllSeeOneText) {
  for (int round = 0; round < 50; ++round) {
    const PackedText text = PackedText::FromUtf8("\xe5\x9b\xb4 " + std::string(200, 'x'));
    std::atomic<bool> go = false;
    std::vector<const char16_t*> seen(4);
    std::vector<std::thread> threads;
    for (size_t i = 0; i < seen.size(); ++i) {
      threads.emplace_back([&, i] {
        while (!go.load()) {
        }
        seen[i] = text.view().data();
      });
    }
    go = true;
    for (std::thread& thread : threads) thread.join();
    for (const char16_t* each : seen) EXPECT_EQ(each, text.view().data());
    EXPECT_EQ(text.view(), u"\u56f4 " + std::u16string(200, u'x'));
  }
}

TEST(PropertyTable, LookupIsExactAndCaseSensitive) {
  for (const char* name : {"GM", "ab", "", "ABC"}) EXPECT_EQ(FindPropertyIndex(name), 0) << name;
  for (int i = 1; i < kPropertyCount; ++i) EXPECT_EQ(FindPropertyIndex(PropertyRow(i).name), i);
}

}  // namespace
}  // namespace vantaro
