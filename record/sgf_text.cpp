#include "record/sgf_text.h"

#include "text/text_conversion.h"

namespace vantaro {
namespace {

// Reports about UTF-8 text made from a UTF-16 file, placed in the file: a
// character of one to three bytes came from two bytes, one of four from four.
class Utf16Offsets : public DiagnosticSink {
 public:
  Utf16Offsets(DiagnosticSink& sink, std::string_view file, std::string_view utf8)
      : sink_(sink), utf8_(utf8) {
    const auto byte = [&file](size_t i) { return static_cast<unsigned char>(file[i]); };
    const bool mark = file.size() >= 2 && ((byte(0) == 0xFF && byte(1) == 0xFE) ||
                                           (byte(0) == 0xFE && byte(1) == 0xFF));
    start_ = mark ? 2 : 0;
  }

  void Report(size_t offset, std::string_view message) override {
    size_t fileOffset = start_;
    for (size_t i = 0; i < offset && i < utf8_.size();) {
      const auto lead = static_cast<unsigned char>(utf8_[i]);
      const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
      fileOffset += length == 4 ? 4 : 2;
      i += length;
    }
    sink_.Report(fileOffset, message);
  }

 private:
  DiagnosticSink& sink_;
  std::string_view utf8_;
  size_t start_ = 0;
};

}  // namespace

SgfText::SgfText(std::string_view fileBytes, DiagnosticSink* sink) : text_(fileBytes), sink_(sink) {
  if (std::optional<std::string> utf8 = Utf16FileToUtf8(fileBytes)) {
    utf8_ = std::move(utf8);
    text_ = *utf8_;
    fromUtf16_ = true;
    if (sink_ != nullptr) {
      utf16Offsets_ = std::make_unique<Utf16Offsets>(*sink_, fileBytes, text_);
      sink_ = utf16Offsets_.get();
    }
  }
  withoutZeros_ = DropZeroBytes(text_);
  if (withoutZeros_) {
    if (sink_ != nullptr) {
      zeroOffsets_ = std::make_unique<ZeroByteOffsets>(*sink_, withoutZeros_->removedAt);
      sink_ = zeroOffsets_.get();
    }
    text_ = withoutZeros_->text;
  }
}

SgfText::~SgfText() = default;

}  // namespace vantaro
