#include "cli/json_text.h"

#include <cstdio>

namespace vantaro::cli {

void AppendJsonString(std::string_view utf8, std::string& out) {
  out.push_back('"');
  for (char c : utf8) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escape[8];
          std::snprintf(escape, sizeof escape, "\\u%04x", c);
          out += escape;
        } else {
          out.push_back(c);
        }
    }
  }
  out.push_back('"');
}

}  // namespace vantaro::cli
