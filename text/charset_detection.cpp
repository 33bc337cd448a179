#include "text/charset_detection.h"

#include <uchardet/uchardet.h>

#include <memory>
#include <string>

#include "text/code_page_table.h"
#include "text/text_conversion.h"

namespace vantaro {
namespace {

struct DetectorDeleter {
  void operator()(uchardet_t detector) const { uchardet_delete(detector); }
};

std::string DetectCharsetName(std::string_view bytes) {
  std::unique_ptr<std::remove_pointer_t<uchardet_t>, DetectorDeleter> detector(uchardet_new());
  if (!detector) return {};
  if (uchardet_handle_data(detector.get(), bytes.data(), bytes.size()) != 0) return {};
  uchardet_data_end(detector.get());
  const char* name = uchardet_get_charset(detector.get());
  return name ? name : "";
}

// The detector names the supersets it recognises; the table knows the
// Windows code pages that cover them.
int CodePageOfDetectedName(const std::string& name) {
  if (name == "GB18030") return 936;
  if (name == "UHC") return 949;
  return CharsetCodePageMap::Instance().CodePageOf(name);
}

}  // namespace

int DetectCodePage(std::string_view bytes, int fallbackCodePage) {
  if (IsValidUtf8(bytes)) return kUtf8CodePage;
  const int detected = CodePageOfDetectedName(DetectCharsetName(bytes));
  return detected != 0 ? detected : fallbackCodePage;
}

}  // namespace vantaro
