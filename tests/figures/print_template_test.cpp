#include "figures/print_template.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace vantaro {
namespace {

using test::ReadSgfText;

std::u16string Expand(std::u16string_view text, std::string_view sgf, PageNumbers pages = {}) {
  const auto root = ReadSgfText(sgf).root;
  return ExpandPrintTemplate(text, root->NodeAt(0), pages);
}

// Each game-information property of the first node, by its own %ID%.
TEST(PrintTemplate, EveryPropertyIdBecomesItsValue) {
  for (int id = 1; id < kPropertyCount; ++id) {
    const PropertyInfo& row = PropertyRow(id);
    if (row.group != PropertyGroup::GameInfo) continue;
    const std::string value = row.elementType == ValueType::Number ? "3"
                              : row.elementType == ValueType::Real
                                  ? "6.5"
                                  : "value of " + std::string(row.name);
    const std::string name(row.name);
    SCOPED_TRACE(name);
    const std::u16string field = u"%" + std::u16string(name.begin(), name.end()) + u"%";
    EXPECT_EQ(Expand(field, "(;" + name + "[" + value + "])"),
              std::u16string(value.begin(), value.end()));
  }
}

struct TemplateCase {
  std::u16string_view text;
  std::string_view sgf;
  std::u16string_view expanded;
};

const TemplateCase kTemplateCases[] = {
    {u"%GN% %PW% %WR%(W) vs %PB% %BR%(B) Page %PAGE% of %TOTALPAGES%",
     "(;GN[Final]PW[Lee]WR[9d]PB[Cho]BR[8d])", u"Final Lee 9d(W) vs Cho 8d(B) Page 2 of 5"},
    // Missing properties leave no gaps, at the ends or inside.
    {u"%GN% %PW% %WR%(W) vs %PB% %BR%(B)", "(;PW[Lee]PB[Cho])", u"Lee (W) vs Cho (B)"},
    {u"%DT% %PC% %RE%", "(;GM[1])", u""},
    {u"%GN%", "(;GN[two\r\nlines])", u"two lines"},
    {u"100%% sure, 50% off", "(;GM[1])", u"100% sure, 50% off"},
    {u"%%GN%%", "(;GN[x])", u"%GN%"},
    {u"%gn% %G N% %", "(;GN[x])", u"%gn% %G N% %"},
    {u"%XY%|%ZZ%", "(;XY[own property])", u"own property|"},
    {u"%PW% vs %PB%",
     "(;PW[\xe6\x9c\xac\xe5\x9b\xa0\xe5\x9d\x8a]PB[\xec\x9d\xb4\xec\xb0\xbd\xed\x98\xb8])",
     u"\u672c\u56e0\u574a vs \uc774\ucc3d\ud638"},
};

TEST(PrintTemplate, FieldsMissingPropertiesAndPercentSigns) {
  for (const TemplateCase& row : kTemplateCases) {
    SCOPED_TRACE(std::string(row.sgf));
    EXPECT_EQ(Expand(row.text, row.sgf, {2, 5}), row.expanded);
  }
}

TEST(PrintTemplate, ARecordWithoutNodesGivesOnlyThePageNumbers) {
  EXPECT_EQ(ExpandPrintTemplate(u"%GN% %PAGE%/%TOTALPAGES%", nullptr, {1, 1}), u"1/1");
}

}  // namespace
}  // namespace vantaro
