#include "property/value_syntax.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>

#include "text/ascii.h"

namespace vantaro {
namespace {

constexpr int LetterCoordinate(char c) {
  return IsAsciiLower(c) ? c - 'a' : 26 + (c - 'A');
}

// The coordinate of every letter, -1 for the other bytes.
constexpr auto kLetterCoordinates = [] {
  std::array<std::int8_t, 256> table{};
  for (int c = 0; c < 256; ++c) {
    table[c] = static_cast<std::int8_t>(
        IsAsciiLetter(static_cast<char>(c)) ? LetterCoordinate(static_cast<char>(c)) : -1);
  }
  return table;
}();

char CoordinateLetter(int n) {
  return static_cast<char>(n < 26 ? 'a' + n : 'A' + (n - 26));
}

bool StartsWithNumber(std::string_view text, bool allowDecimalPoint) {
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
  if (text.empty()) return false;
  if (IsAsciiDigit(text.front())) return true;
  return allowDecimalPoint && text.size() >= 2 && text[0] == '.' && IsAsciiDigit(text[1]);
}

}  // namespace

std::optional<Point> ParsePoint(std::string_view text) {
  // Nearly every point of a record is two letters.
  if (text.size() == 2) {
    const int x = kLetterCoordinates[static_cast<unsigned char>(text[0])];
    const int y = kLetterCoordinates[static_cast<unsigned char>(text[1])];
    if (x >= 0 && y >= 0) return Point{x, y};
  }
  int coordinates[2];
  int found = 0;
  for (char c : text) {
    const int coordinate = kLetterCoordinates[static_cast<unsigned char>(c)];
    if (coordinate < 0) continue;
    coordinates[found++] = coordinate;
    if (found == 2) return Point{coordinates[0], coordinates[1]};
  }
  if (found == 0) return Point{};
  return std::nullopt;
}

std::optional<std::pair<Point, Point>> ParseCompressedRectangle(std::string_view text) {
  if (text.size() != 5 || text[2] != ':') return std::nullopt;
  for (size_t i : {0u, 1u, 3u, 4u}) {
    if (!IsAsciiLetter(text[i])) return std::nullopt;
  }
  return std::make_pair(Point{LetterCoordinate(text[0]), LetterCoordinate(text[1])},
                        Point{LetterCoordinate(text[3]), LetterCoordinate(text[4])});
}

std::optional<int> ParseNumber(std::string_view text) {
  text = TrimAsciiSpace(text);
  if (!StartsWithNumber(text, false)) return std::nullopt;
  if (text.front() == '+') text.remove_prefix(1);
  int value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc()) return std::nullopt;
  return value;
}

std::optional<double> ParseReal(std::string_view text) {
  text = TrimAsciiSpace(text);
  if (!StartsWithNumber(text, true)) return std::nullopt;
  if (text.front() == '+') text.remove_prefix(1);
  double value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc()) return std::nullopt;
  return value;
}

Point ParseBoardSize(std::string_view text) {
  std::string_view tokens[2];
  int count = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t colon = text.find(':', start);
    if (colon == std::string_view::npos) colon = text.size();
    if (colon > start) {
      if (count == 2) return {19, 19};
      tokens[count++] = text.substr(start, colon - start);
    }
    start = colon + 1;
  }
  if (count == 0) return {19, 19};
  const int columns = LeadingInt(TrimAsciiSpace(tokens[0]));
  const int rows = count == 2 ? LeadingInt(TrimAsciiSpace(tokens[1])) : columns;
  return {columns, rows};
}

void AppendPoint(Point point, std::string& out) {
  if (point.x < 0 || point.y < 0) return;
  out.push_back(CoordinateLetter(point.x));
  out.push_back(CoordinateLetter(point.y));
}

void AppendNumber(int number, std::string& out) {
  char buffer[16];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
  out.append(buffer, result.ptr);
}

void AppendReal(double real, std::string& out) {
  char buffer[400];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, real, std::chars_format::fixed, 6);
  out.append(buffer, result.ptr);
}

void AppendEscaped(std::string_view bytes, bool escapeColon, std::string& out) {
  const char* run = bytes.data();
  const char* end = run + bytes.size();
  for (const char* p = run; p < end; ++p) {
    if (*p == ']' || *p == '\\' || (escapeColon && *p == ':')) {
      out.append(run, p);
      out.push_back('\\');
      run = p;
    }
  }
  out.append(run, end);
}

}  // namespace vantaro
