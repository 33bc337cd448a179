#pragma once

#include <string>

namespace vantaro {

// Whether reading or writing a record worked, and if not, why, in words for the user.
struct IoResult {
  // What a read that worked found: a record; nothing that reads as a node
  // (the record is then one empty node), or the bytes of a binary file,
  // whatever stray parts of it read as nodes; or no bytes but white space.
  enum class Content { Record, NoNode, Blank };

  bool ok = false;
  std::string error;
  Content content = Content::Record;

  static IoResult Success() { return {true, {}}; }
  static IoResult Failure(std::string why) { return {false, std::move(why)}; }
};

}  // namespace vantaro
