#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "record/read_diagnostics.h"
#include "record/zero_bytes.h"

namespace vantaro {

// The text of an SGF file as its games are read: UTF-16 turned into UTF-8
// (the record then says so in its CA, since that is how it is saved), and 0
// bytes dropped. Reports about the text go to the sink placed in the file.
class SgfText {
 public:
  // The bytes must outlive the object when they need no change.
  explicit SgfText(std::string_view fileBytes, DiagnosticSink* sink = nullptr);
  // Text that is such already (kept from an earlier reading).
  SgfText(std::string_view text, bool fromUtf16) : text_(text), fromUtf16_(fromUtf16) {}
  SgfText(const SgfText&) = delete;
  SgfText& operator=(const SgfText&) = delete;
  ~SgfText();

  std::string_view text() const { return text_; }
  bool fromUtf16() const { return fromUtf16_; }
  // Whether text() is the file's own bytes, which a file input may give back.
  bool isFileBytes() const { return !utf8_ && !withoutZeros_; }
  // Null when no sink was given.
  DiagnosticSink* sink() const { return sink_; }

 private:
  std::string_view text_;
  bool fromUtf16_ = false;
  std::optional<std::string> utf8_;
  std::optional<ZeroFreeText> withoutZeros_;
  std::unique_ptr<DiagnosticSink> utf16Offsets_;
  std::unique_ptr<DiagnosticSink> zeroOffsets_;
  DiagnosticSink* sink_ = nullptr;
};

}  // namespace vantaro
