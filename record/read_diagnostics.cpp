#include "record/read_diagnostics.h"

#include <algorithm>

#include "text/text_conversion.h"

namespace vantaro {

void DiagnosticList::Report(std::size_t offset, std::string_view message) {
  ++count_;
  if (entries_.size() < keep_) entries_.push_back({offset, std::string(message)});
}

std::vector<Diagnostic> DiagnosticList::ByOffset() const {
  std::vector<Diagnostic> sorted = entries_;
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const Diagnostic& a, const Diagnostic& b) { return a.offset < b.offset; });
  return sorted;
}

// Decoding keeps an undecodable byte as an escape unit and encoding gives the
// byte back, so the text before the first escape encodes to exactly the bytes
// before the bad one.
std::optional<std::size_t> FirstUndecodableByte(std::u16string_view text, int codePage) {
  const auto bad = std::find_if(text.begin(), text.end(), IsByteEscape);
  if (bad == text.end()) return std::nullopt;
  return WideToBytes(text.substr(0, static_cast<size_t>(bad - text.begin())), codePage).size();
}

std::string UndecodableMessage(int codePage) {
  return "undecodable text in code page " + std::to_string(codePage);
}

void ReadReport::UndecodableText(std::size_t offset, std::u16string_view text, int codePage) const {
  if (sink_ == nullptr) return;
  if (const auto bad = FirstUndecodableByte(text, codePage)) {
    At(offset + *bad, UndecodableMessage(codePage));
  }
}

std::string Quoted(std::string_view bytes) {
  constexpr size_t kLongest = 24;
  const bool utf8 = IsValidUtf8(bytes);
  std::string out = "\"";
  size_t i = 0;
  for (; i < bytes.size() && i < kLongest; ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (utf8 && byte >= 0x80) {
      // A whole character, however many bytes it takes.
      out.push_back(bytes[i]);
      while (i + 1 < bytes.size() && (static_cast<unsigned char>(bytes[i + 1]) & 0xC0) == 0x80) {
        out.push_back(bytes[++i]);
      }
    } else if (byte >= 0x20 && byte < 0x7F && byte != '"' && byte != '\\') {
      out.push_back(static_cast<char>(byte));
    } else {
      static constexpr char kHex[] = "0123456789ABCDEF";
      out += "\\x";
      out.push_back(kHex[byte >> 4]);
      out.push_back(kHex[byte & 15]);
    }
  }
  if (i < bytes.size()) out += "...";
  out += '"';
  return out;
}

}  // namespace vantaro
