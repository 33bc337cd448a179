#include "figures/print_template.h"

#include <algorithm>

#include "game/record_summary.h"
#include "text/text_conversion.h"

namespace vantaro {
namespace {

bool IsIdentifier(std::u16string_view name) {
  return !name.empty() &&
         std::all_of(name.begin(), name.end(), [](char16_t c) { return c >= u'A' && c <= u'Z'; });
}

std::u16string PropertyText(const Node* node, std::u16string_view name) {
  if (node == nullptr) return {};
  const std::string ascii(name.begin(), name.end());
  for (const Property& property : node->properties()) {
    if (property.Name() == ascii) return DisplayValue(property);
  }
  return {};
}

std::u16string FieldText(std::u16string_view name, const Node* firstNode, PageNumbers pages) {
  if (name == u"PAGE") return FromUtf8(std::to_string(pages.page));
  if (name == u"TOTALPAGES") return FromUtf8(std::to_string(pages.total));
  return PropertyText(firstNode, name);
}

bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

std::u16string Tidied(std::u16string_view text) {
  std::u16string tidy;
  for (const char16_t c : text) {
    if (!IsBlank(c)) {
      tidy += c;
    } else if (!tidy.empty() && tidy.back() != u' ') {
      tidy += u' ';
    }
  }
  if (!tidy.empty() && tidy.back() == u' ') tidy.pop_back();
  return tidy;
}

}  // namespace

std::u16string ExpandPrintTemplate(std::u16string_view text, const Node* firstNode,
                                   PageNumbers pages) {
  std::u16string expanded;
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] != u'%') {
      expanded += text[i++];
      continue;
    }
    if (i + 1 < text.size() && text[i + 1] == u'%') {
      expanded += u'%';
      i += 2;
      continue;
    }
    const size_t end = text.find(u'%', i + 1);
    const std::u16string_view name =
        end == std::u16string_view::npos ? std::u16string_view() : text.substr(i + 1, end - i - 1);
    if (!IsIdentifier(name)) {
      expanded += text[i++];
      continue;
    }
    expanded += FieldText(name, firstNode, pages);
    i = end + 1;
  }
  return Tidied(expanded);
}

}  // namespace vantaro
