#pragma once

#include <array>

namespace vantaro {

// Which bytes start a two-byte character in a double-byte code page: a lead
// byte and the byte after it form one character, whatever that byte is, so
// the second byte may be ']' or '\' (0x5D, 0x5C).
using LeadByteTable = std::array<bool, 256>;

// The lead bytes of 932 (Shift_JIS: 0x81-0x9F and 0xE0-0xFC; 0xA1-0xDF are
// single-byte katakana), 936, 949 and 950 (0x81-0xFE); null for every other
// code page.
const LeadByteTable* LeadBytesOf(int codePage);

inline bool IsDoubleByteCodePage(int codePage) {
  return LeadBytesOf(codePage) != nullptr;
}

}  // namespace vantaro
