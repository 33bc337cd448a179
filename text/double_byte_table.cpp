#include "text/double_byte_table.h"

#include <cerrno>

namespace vantaro {
namespace {

enum class Outcome { Character, Incomplete, Other };

// How the converter reads bytes on their own: one whole BMP character
// (in unit), the start of a longer one, or anything else.
Outcome DecodeAlone(iconv_t toUcs4, std::string_view bytes, char16_t& unit) {
  iconv(toUcs4, nullptr, nullptr, nullptr, nullptr);
  char* in = const_cast<char*>(bytes.data());
  size_t inLeft = bytes.size();
  char32_t decoded[2];
  char* outPtr = reinterpret_cast<char*>(decoded);
  size_t outLeft = sizeof decoded;
  if (iconv(toUcs4, &in, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
    return errno == EINVAL ? Outcome::Incomplete : Outcome::Other;
  }
  if (outLeft != sizeof decoded - sizeof(char32_t) || decoded[0] > 0xFFFF) return Outcome::Other;
  unit = static_cast<char16_t>(decoded[0]);
  return Outcome::Character;
}

}  // namespace

DoubleByteTable::DoubleByteTable(iconv_t toUcs4) {
  for (int first = 0; first < 256; ++first) {
    const char lead = static_cast<char>(first);
    char16_t unit = 0;
    const Outcome alone = DecodeAlone(toUcs4, std::string_view(&lead, 1), unit);
    if (alone == Outcome::Character) {
      single_[first] = unit;
      isSingle_.set(first);
    }
    if (alone != Outcome::Incomplete) continue;
    auto row = std::make_unique<PairRow>();
    for (int second = 0; second < 256; ++second) {
      const char pair[] = {lead, static_cast<char>(second)};
      if (DecodeAlone(toUcs4, std::string_view(pair, 2), unit) == Outcome::Character) {
        (*row)[second] = unit;
      }
    }
    pairs_[first] = std::move(row);
  }
}

size_t DoubleByteTable::AppendDecodedPrefix(std::string_view bytes, std::u16string& out) const {
  const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
  const size_t n = bytes.size();
  // No character is longer in UTF-16 than in bytes.
  const size_t start = out.size();
  out.resize(start + n);
  char16_t* const begin = out.data() + start;
  char16_t* to = begin;
  size_t i = 0;
  while (i < n) {
    // ASCII, the bulk of most values, stands for itself in these code pages.
    while (i < n && s[i] < 0x80) *to++ = s[i++];
    if (i == n) break;
    const unsigned char first = s[i];
    if (isSingle_[first]) {
      *to++ = single_[first];
      ++i;
      continue;
    }
    const PairRow* row = pairs_[first].get();
    if (row == nullptr || i + 1 == n) break;
    const char16_t unit = (*row)[s[i + 1]];
    if (unit == 0) break;
    *to++ = unit;
    i += 2;
  }
  out.resize(start + static_cast<size_t>(to - begin));
  return i;
}

}  // namespace vantaro
