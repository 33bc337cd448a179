#include "text/ascii.h"

#include <climits>

namespace vantaro {

std::string AsciiLower(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = AsciiToLower(c);
  return result;
}

std::string AsciiUpper(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = AsciiToUpper(c);
  return result;
}

std::string_view TrimAsciiSpace(std::string_view text) {
  while (!text.empty() && IsAsciiSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsAsciiSpace(text.back())) text.remove_suffix(1);
  return text;
}

std::u16string_view TrimAsciiSpace(std::u16string_view text) {
  const auto isSpace = [](char16_t c) { return c < 0x80 && IsAsciiSpace(static_cast<char>(c)); };
  while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
  return text;
}

int LeadingInt(std::string_view text, bool allowSign) {
  size_t i = 0;
  bool negative = false;
  if (allowSign && i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  long long value = 0;
  for (; i < text.size() && IsAsciiDigit(text[i]); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) value = INT_MAX;
  return static_cast<int>(value);
}

}  // namespace vantaro
