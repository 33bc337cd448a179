#include "property/game_info_syntax.h"

#include <vector>

#include "text/ascii.h"

namespace vantaro {
namespace {

constexpr char16_t kKomiReason[] = u"Komi must be a number, such as 6.5";
constexpr char16_t kHandicapReason[] = u"Handicap must be 0 or a whole number from 2 up";
constexpr char16_t kDateReason[] =
    u"Not a date of the form 2024-03-05 (or 2024-03, 2024, or a list such as 2024-03-05,06)";
constexpr char16_t kResultReason[] =
    u"Not a result of the form B+R, W+6.5, B+T, B+F, 0, Draw, Void or ?";

bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

bool AllDigits(std::u16string_view text) {
  if (text.empty()) return false;
  for (const char16_t c : text) {
    if (!IsDigit(c)) return false;
  }
  return true;
}

std::vector<std::u16string_view> Split(std::u16string_view text, char16_t separator) {
  std::vector<std::u16string_view> pieces;
  while (true) {
    const size_t at = text.find(separator);
    pieces.push_back(text.substr(0, at));
    if (at == std::u16string_view::npos) return pieces;
    text.remove_prefix(at + 1);
  }
}

int TwoDigits(std::u16string_view text) {
  return (text[0] - u'0') * 10 + (text[1] - u'0');
}

// What the entry before a shortened date entry fixed: a later entry may
// leave out the year after a month, and the year and month after a day.
enum class DatePrecision { None, Year, Month, Day };

bool IsMonth(std::u16string_view text) {
  return text.size() == 2 && AllDigits(text) && TwoDigits(text) >= 1 && TwoDigits(text) <= 12;
}
bool IsDay(std::u16string_view text) {
  return text.size() == 2 && AllDigits(text) && TwoDigits(text) >= 1 && TwoDigits(text) <= 31;
}
bool IsYear(std::u16string_view text) {
  return text.size() == 4 && AllDigits(text);
}

// One entry of the list; the precision it leaves for the next, or None
// when it is not a date after the one before.
DatePrecision DateEntry(std::u16string_view entry, DatePrecision before) {
  const std::vector<std::u16string_view> parts = Split(entry, u'-');
  if (IsYear(parts[0])) {
    if (parts.size() == 1) return DatePrecision::Year;
    if (!IsMonth(parts[1])) return DatePrecision::None;
    if (parts.size() == 2) return DatePrecision::Month;
    return parts.size() == 3 && IsDay(parts[2]) ? DatePrecision::Day : DatePrecision::None;
  }
  if (parts.size() == 2) {
    return before == DatePrecision::Day && IsMonth(parts[0]) && IsDay(parts[1])
               ? DatePrecision::Day
               : DatePrecision::None;
  }
  if (parts.size() != 1) return DatePrecision::None;
  if (before == DatePrecision::Day && IsDay(parts[0])) return DatePrecision::Day;
  if (before == DatePrecision::Month && IsMonth(parts[0])) return DatePrecision::Month;
  return DatePrecision::None;
}

bool IsRealNumberText(std::u16string_view text) {
  if (!text.empty() && (text.front() == u'+' || text.front() == u'-')) text.remove_prefix(1);
  const size_t point = text.find(u'.');
  if (point == std::u16string_view::npos) return AllDigits(text);
  return AllDigits(text.substr(0, point)) && AllDigits(text.substr(point + 1));
}

bool IsScoreText(std::u16string_view text) {
  return IsRealNumberText(text) && text.front() != u'-' && text.front() != u'+';
}

bool IsHandicapText(std::u16string_view text) {
  if (!AllDigits(text)) return false;
  const size_t first = text.find_first_not_of(u'0');
  if (first == std::u16string_view::npos) return true;
  return !(text.size() - first == 1 && text[first] == u'1');
}

bool IsDateText(std::u16string_view text) {
  DatePrecision precision = DatePrecision::None;
  for (const std::u16string_view entry : Split(text, u',')) {
    precision = DateEntry(entry, precision);
    if (precision == DatePrecision::None) return false;
  }
  return true;
}

bool IsResultText(std::u16string_view text) {
  if (text == u"0" || text == u"Draw" || text == u"Void" || text == u"?") return true;
  if (text.size() < 2 || (text[0] != u'B' && text[0] != u'W') || text[1] != u'+') return false;
  const std::u16string_view how = text.substr(2);
  return how.empty() || how == u"R" || how == u"Resign" || how == u"T" || how == u"Time" ||
         how == u"F" || how == u"Forfeit" || IsScoreText(how);
}

}  // namespace

ValueCheck CheckGameInfoValue(std::string_view identifier, std::u16string_view text) {
  if (text.empty()) return {};
  if (identifier == "KM" && !IsRealNumberText(TrimAsciiSpace(text))) {
    return {ValueVerdict::Refused, kKomiReason};
  }
  if (identifier == "HA" && !IsHandicapText(TrimAsciiSpace(text))) {
    return {ValueVerdict::Refused, kHandicapReason};
  }
  if (identifier == "DT" && !IsDateText(text)) return {ValueVerdict::Warned, kDateReason};
  if (identifier == "RE" && !IsResultText(text)) return {ValueVerdict::Warned, kResultReason};
  return {};
}

}  // namespace vantaro
