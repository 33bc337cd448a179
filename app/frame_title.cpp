#include "app/frame_title.h"

#include <QChar>

namespace vantaro::app {
namespace {

constexpr size_t kShownCharacters = 10;

std::u16string Marked(std::u16string title, bool readOnly, bool modified) {
  if (readOnly) title += u" R";
  if (modified) title += u" *";
  return title;
}

}  // namespace

std::u16string FrameTitle(std::u16string_view documentTitle, bool readOnly, bool modified) {
  std::u16string title(documentTitle.empty() ? u"Untitled" : documentTitle);
  if (const size_t dot = title.rfind(u'.'); dot != std::u16string::npos) title.resize(dot);
  if (title.size() > kShownCharacters) {
    // Never half a character: a pair of surrogates stays whole or goes.
    size_t kept = kShownCharacters;
    if (QChar::isHighSurrogate(title[kept - 1])) --kept;
    title.resize(kept);
    title += u"...";
  }
  return Marked(std::move(title), readOnly, modified);
}

std::u16string WholeFrameTitle(std::u16string_view documentTitle, bool readOnly, bool modified) {
  return Marked(std::u16string(documentTitle.empty() ? u"Untitled" : documentTitle), readOnly,
                modified);
}

}  // namespace vantaro::app
