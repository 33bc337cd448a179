#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "record/read_diagnostics.h"

namespace vantaro {

// Text files damaged by a tool or a transfer may hold 0 bytes. They carry no
// text, so a reader skips them and reads on: what follows is read and saved.
struct ZeroFreeText {
  std::string text;
  std::vector<std::size_t> removedAt;  // in the original bytes, ascending
};
// Nullopt when the bytes hold no 0 byte.
std::optional<ZeroFreeText> DropZeroBytes(std::string_view bytes);

// Reports about the text without its 0 bytes, placed in the original bytes;
// each run of 0 bytes is reported once, when the sink is made.
class ZeroByteOffsets : public DiagnosticSink {
 public:
  ZeroByteOffsets(DiagnosticSink& sink, const std::vector<std::size_t>& removedAt);
  void Report(std::size_t offset, std::string_view message) override;

 private:
  DiagnosticSink& sink_;
  const std::vector<std::size_t>& removedAt_;
};

}  // namespace vantaro
