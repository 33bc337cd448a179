#include "text/double_byte.h"

namespace vantaro {
namespace {

constexpr LeadByteTable MakeTable(int firstA, int lastA, int firstB, int lastB) {
  LeadByteTable table{};
  for (int byte = 0; byte < 256; ++byte) {
    table[byte] = (byte >= firstA && byte <= lastA) || (byte >= firstB && byte <= lastB);
  }
  return table;
}

constexpr LeadByteTable kShiftJisLeadBytes = MakeTable(0x81, 0x9F, 0xE0, 0xFC);
constexpr LeadByteTable kEastAsianLeadBytes = MakeTable(0x81, 0xFE, 0x81, 0xFE);

}  // namespace

const LeadByteTable* LeadBytesOf(int codePage) {
  switch (codePage) {
    case 932:
      return &kShiftJisLeadBytes;
    case 936:
    case 949:
    case 950:
      return &kEastAsianLeadBytes;
    default:
      return nullptr;
  }
}

}  // namespace vantaro
