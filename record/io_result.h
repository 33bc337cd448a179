#pragma once

#include <string>

namespace vantaro {

// Whether reading or writing a record worked, and if not, why, in words for the user.
struct IoResult {
  bool ok = false;
  std::string error;

  static IoResult Success() { return {true, {}}; }
  static IoResult Failure(std::string why) { return {false, std::move(why)}; }
};

}  // namespace vantaro
