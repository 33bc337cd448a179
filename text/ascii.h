#pragma once

#include <string>
#include <string_view>

// Byte-level helpers that never consult the C locale: record syntax is ASCII
// whatever language the user runs the program in.
namespace vantaro {

constexpr bool IsAsciiUpper(char c) {
  return c >= 'A' && c <= 'Z';
}
constexpr bool IsAsciiLower(char c) {
  return c >= 'a' && c <= 'z';
}
constexpr bool IsAsciiLetter(char c) {
  return IsAsciiUpper(c) || IsAsciiLower(c);
}
constexpr bool IsAsciiDigit(char c) {
  return c >= '0' && c <= '9';
}
constexpr bool IsAsciiAlnum(char c) {
  return IsAsciiLetter(c) || IsAsciiDigit(c);
}
constexpr bool IsAsciiSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
constexpr char AsciiToUpper(char c) {
  return IsAsciiLower(c) ? static_cast<char>(c - 32) : c;
}
constexpr char AsciiToLower(char c) {
  return IsAsciiUpper(c) ? static_cast<char>(c + 32) : c;
}

std::string AsciiLower(std::string_view text);
std::string AsciiUpper(std::string_view text);

// Removes white space from both ends; a byte of 0x80 or above is never white space.
std::string_view TrimAsciiSpace(std::string_view text);
std::u16string_view TrimAsciiSpace(std::u16string_view text);

// The value of the leading decimal digits (after an optional sign when
// allowSign), 0 when there are none, saturated to the int range.
int LeadingInt(std::string_view text, bool allowSign = true);

}  // namespace vantaro
