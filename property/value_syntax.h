#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "property/property.h"

// How property values are spelled in SGF text, in both directions. Numbers
// are read and written the same whatever the user's locale.
namespace vantaro {

// Letters give coordinates (a-z 0-25, A-Z 26-51) and every other byte is
// skipped. No letter at all is the point (-1, -1); exactly one letter fails.
std::optional<Point> ParsePoint(std::string_view text);

// A value of exactly the form "xy:xy" in a point list: the two corners of a
// rectangle of points.
std::optional<std::pair<Point, Point>> ParseCompressedRectangle(std::string_view text);

// The number at the start of the trimmed text (as atoi reads it); nullopt when
// the text does not start with one (optional sign, then a digit) or does not
// fit, so that the caller can keep the text as written.
std::optional<int> ParseNumber(std::string_view text);
// Likewise as atof reads it; a real may also start with a decimal point.
std::optional<double> ParseReal(std::string_view text);

// SZ: "n" is n x n, "c:r" is c columns by r rows, anything else 19 x 19.
Point ParseBoardSize(std::string_view text);

void AppendPoint(Point point, std::string& out);  // nothing for a negative coordinate
void AppendNumber(int number, std::string& out);  // as "%d"
void AppendReal(double real, std::string& out);   // as "%f"
// Precedes every ']' and '\' (and ':' when escapeColon) with a '\'.
void AppendEscaped(std::string_view bytes, bool escapeColon, std::string& out);

}  // namespace vantaro
