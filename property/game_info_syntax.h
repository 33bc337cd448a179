#pragma once

#include <string>
#include <string_view>

// Whether a typed game-information value follows the syntax of its
// property, and what to tell the user when it does not.
namespace vantaro {

// Accepted: stored as typed. Warned: stored as typed after the user is
// told, since real records carry such values and readers keep them.
// Refused: not stored, since KM and HA are numbers in the record format and
// readers drop a number that does not read as one.
enum class ValueVerdict { Accepted, Warned, Refused };

struct ValueCheck {
  ValueVerdict verdict = ValueVerdict::Accepted;
  std::u16string_view reason;  // empty when accepted; a static text otherwise
};

// The check of a value for the property named by its SGF identifier. An
// empty value (which removes the property) and every property without a
// syntax of its own are accepted. The syntaxes:
// - KM: a real number: an optional sign, digits, optionally a point and
//   digits ("6.5", "-3"); spaces around it do not matter;
// - HA: a whole number, 0 or from 2 up;
// - DT: a comma-separated list of YYYY-MM-DD, YYYY-MM or YYYY, where a later
//   entry may leave out what it shares with the one before ("MM-DD" and "DD"
//   after a day, "MM" after a month): "2024-03-05,06", "1996-05,06";
// - RE: "0", "Draw", "Void", "?", or "B+" or "W+" followed by nothing, a
//   score, "R", "Resign", "T", "Time", "F" or "Forfeit".
ValueCheck CheckGameInfoValue(std::string_view identifier, std::u16string_view text);

}  // namespace vantaro
