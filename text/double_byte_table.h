#pragma once

#include <iconv.h>

#include <array>
#include <bitset>
#include <memory>
#include <string>
#include <string_view>

namespace vantaro {

// The characters of one and two bytes of an East Asian double-byte code page,
// read once from its glibc converter, so that text made of them decodes by
// lookup, to exactly what the converter gives, at many times its speed.
// Everything else (GB18030's four-byte characters, bytes the converter
// refuses, characters beyond the BMP) is left to the converter. Only for
// converters without state or look-ahead, as those of 932, 936, 949 and 950 are.
class DoubleByteTable {
 public:
  // toUcs4: a converter from the code page to UCS-4 (glibc's wchar_t), used
  // only while the table is built.
  explicit DoubleByteTable(iconv_t toUcs4);

  // Appends the text of the longest start of bytes made of characters in the
  // table and returns its length, which ends at a character boundary.
  size_t AppendDecodedPrefix(std::string_view bytes, std::u16string& out) const;

 private:
  // A pair's character, or 0 when the pair is not in the table.
  using PairRow = std::array<char16_t, 256>;

  std::array<char16_t, 256> single_{};
  std::bitset<256> isSingle_;
  std::array<std::unique_ptr<PairRow>, 256> pairs_;  // by lead byte
};

}  // namespace vantaro
