#include "record/sgf_value_sample.h"

#include <cstring>

namespace vantaro {

std::string SgfValueSample(std::string_view text, size_t limit) {
  std::string sample;
  std::string value;
  const char* p = text.data();
  const char* const end = p + text.size();
  while (sample.size() < limit) {
    p = static_cast<const char*>(std::memchr(p, '[', static_cast<size_t>(end - p)));
    if (p == nullptr) break;
    value.clear();
    bool nonAscii = false;
    for (++p; p < end && *p != ']'; ++p) {
      if (*p == '\\' && p + 1 < end) ++p;
      nonAscii = nonAscii || static_cast<unsigned char>(*p) >= 0x80;
      value.push_back(*p);
    }
    if (nonAscii) {
      sample.append(value, 0, limit - sample.size());
      sample.push_back('\n');
    }
  }
  return sample;
}

}  // namespace vantaro
