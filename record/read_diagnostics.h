#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantaro {

// Where a lenient reader tells what it repaired or skipped. Reporting never
// changes what is read: a read with a sink builds the same record as one
// without.
class DiagnosticSink {
 public:
  virtual ~DiagnosticSink() = default;
  // offset: the byte offset in the file the reader was given, from 0.
  virtual void Report(std::size_t offset, std::string_view message) = 0;
};

struct Diagnostic {
  std::size_t offset = 0;
  std::string message;
  bool operator==(const Diagnostic&) const = default;
};

// Keeps the reports in the order made: every one, or the first `keep` of
// them when told (a damaged file can report millions), counting them all.
class DiagnosticList : public DiagnosticSink {
 public:
  explicit DiagnosticList(std::size_t keep = SIZE_MAX) : keep_(keep) {}

  void Report(std::size_t offset, std::string_view message) override;
  const std::vector<Diagnostic>& entries() const { return entries_; }
  std::size_t count() const { return count_; }
  // The reports kept, ordered by offset (reports at one offset keep their order).
  std::vector<Diagnostic> ByOffset() const;

 private:
  std::size_t keep_;
  std::size_t count_ = 0;
  std::vector<Diagnostic> entries_;
};

// What a reader reports through: offsets are measured from the start of its
// input, and without a sink nothing is done (callers test enabled() before
// composing a message on a path that runs for every byte or value).
class ReadReport {
 public:
  ReadReport(DiagnosticSink* sink, std::string_view input) : sink_(sink), input_(input) {}

  bool enabled() const { return sink_ != nullptr; }
  void At(std::size_t offset, std::string_view message) const {
    if (sink_ != nullptr) sink_->Report(offset, message);
  }
  // where points into the input.
  void At(const char* where, std::string_view message) const { At(OffsetOf(where), message); }

  // After the bytes at offset were decoded to text in the code page: reports
  // the first byte that did not decode, if any.
  void UndecodableText(std::size_t offset, std::u16string_view text, int codePage) const;
  // The same for bytes that are a view into the input.
  void UndecodableText(std::string_view bytes, std::u16string_view text, int codePage) const {
    UndecodableText(OffsetOf(bytes.data()), text, codePage);
  }

  bool Contains(std::string_view piece) const {
    return piece.data() >= input_.data() && piece.data() <= input_.data() + input_.size();
  }
  std::size_t OffsetOf(const char* where) const {
    return static_cast<std::size_t>(where - input_.data());
  }

 private:
  DiagnosticSink* sink_;
  std::string_view input_;
};

// Where the first byte that did not decode stands in the bytes that text was
// decoded from; nullopt when all of them decoded.
std::optional<std::size_t> FirstUndecodableByte(std::u16string_view text, int codePage);
std::string UndecodableMessage(int codePage);

// A piece of the input for a message, in double quotes, cut short when it is
// long; unless it is valid UTF-8, bytes outside printable ASCII show as \xHH.
std::string Quoted(std::string_view bytes);

}  // namespace vantaro
