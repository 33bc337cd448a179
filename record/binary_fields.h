#pragma once

#include <cstdint>
#include <string_view>

namespace vantaro {

// Little-endian numbers at fixed offsets of a binary record; the caller has
// checked that they lie inside the buffer.
inline std::uint32_t ReadUint32(std::string_view bytes, size_t offset) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) {
    value = value << 8 | static_cast<unsigned char>(bytes[offset + static_cast<size_t>(i)]);
  }
  return value;
}

inline std::uint16_t ReadUint16(std::string_view bytes, size_t offset) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[offset]) |
                                    static_cast<unsigned char>(bytes[offset + 1]) << 8);
}

inline int Coordinate(unsigned char value) {
  return value > 18 ? -1 : value;
}

}  // namespace vantaro
