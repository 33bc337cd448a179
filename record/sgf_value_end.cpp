#include "record/sgf_value_end.h"

#include "text/ascii.h"

namespace vantaro {
namespace {

const char* SkipSpace(const char* p, const char* end) {
  while (p < end && IsAsciiSpace(*p)) ++p;
  return p;
}

// The reader keeps only the upper-case letters and digits of an identifier,
// so letters that are all lower case name no property.
bool IdentifierWithValue(const char* p, const char* end) {
  bool named = false;
  for (; p < end && IsAsciiAlnum(*p); ++p) named = named || !IsAsciiLower(*p);
  return named && p < end && *p == '[';
}

}  // namespace

bool StructureFollows(std::string_view rest, bool valueList) {
  const char* end = rest.data() + rest.size();
  const char* p = SkipSpace(rest.data(), end);
  if (p == end) return true;
  switch (*p) {
    case '[':
      return valueList;
    case ')':
      p = SkipSpace(p + 1, end);
      return p == end || *p == '(' || *p == ')';
    case '(':
      p = SkipSpace(p + 1, end);
      return p < end && (*p == ';' || *p == '(');
    case ';':
      p = SkipSpace(p + 1, end);
      return p == end || *p == '(' || *p == ')' || *p == ';' || IdentifierWithValue(p, end);
    default:
      return IdentifierWithValue(p, end);
  }
}

}  // namespace vantaro
