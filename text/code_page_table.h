#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vantaro {

// One charset the program recognises: its display name, its labels and the
// Windows code page number that the text conversions are keyed by.
struct Charset {
  std::string description;
  std::string name;
  std::string aliases;  // further labels, separated by ", "
  int codePage = 0;
  int familyCodePage = 0;
  std::string iconvName;  // the converter's name; empty when there is none
};

// Turns charset labels (as found in an SGF CA value or reported by the
// charset detector) into code page numbers. Built once, read-only afterwards.
class CharsetCodePageMap {
 public:
  static const CharsetCodePageMap& Instance();

  // Exact lookup, ignoring ASCII case; no trimming. 0 when the label is unknown.
  int CodePageOf(std::string_view label) const;
  // The first loaded row of the code page; null when none is loaded.
  const Charset* FindCodePage(int codePage) const;
  // The label a record's CA names the code page with: the row's name, or,
  // where a later row took that name over, the first of its aliases that
  // still leads back to it ("UTF-8" for 65001, as records usually write it).
  // Empty when the code page is not loaded or no label leads back to it.
  std::string LabelOf(int codePage) const;

  const std::vector<std::unique_ptr<Charset>>& rows() const { return rows_; }

 private:
  CharsetCodePageMap();
  void Insert(std::string_view label, int rowIndex);

  std::map<std::string, int, std::less<>> index_;
  std::vector<std::unique_ptr<Charset>> rows_;
};

// The code page named by a CA value: the text is trimmed of white space first
// (trimming stops at bytes of 0x80 and above). 0 when it names nothing known.
int CodePageOfCharsetLabel(std::string_view caText);

// What a record reader is given. A reader may replace codePage with the code
// page it actually decoded the record with.
struct ReadContext {
  // The autoDetectBig5 option: Big5 wins where the charset of text without a
  // usable label is in doubt. (The trail-byte rule applies to every
  // double-byte code page, Big5 included, whatever it says.)
  bool dbcsAware = false;
  int codePage = 0;
  // Decode with codePage, whatever the record's CA says or its bytes look like.
  bool forceCodePage = false;
};

}  // namespace vantaro
