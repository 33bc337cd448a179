#include "record/save_encoding.h"

#include "text/code_page_table.h"
#include "text/text_conversion.h"

namespace vantaro {
namespace {

struct TextFacts {
  bool beyondAscii = false;
  bool fits = true;
};

bool IsAscii(std::u16string_view text) {
  char16_t any = 0;
  for (char16_t unit : text) any |= unit;
  return any < 0x80;
}

// Looks at the text of the record until the questions asked are answered:
// whether it all fits the code page (the first text that does not decides),
// and whether any of it is beyond ASCII.
TextFacts LookAtText(const GameTree& root, int codePage, bool askFit, bool askAscii) {
  TextFacts facts;
  const auto answered = [&] { return !facts.fits || (!askFit && facts.beyondAscii); };
  const auto look = [&](std::u16string_view text) {
    if (IsAscii(text)) return;
    facts.beyondAscii = true;
    if (askFit) facts.fits = CanEncode(text, codePage);
  };
  if (!askFit && !askAscii) return facts;
  ForEachTree(root, [&](const GameTree& tree) {
    for (const auto& node : tree.nodes()) {
      for (const Property& property : node->properties()) {
        if (answered()) return;
        if (const UnknownValue* unknown = property.unknown()) {
          for (const std::u16string& value : unknown->values) look(value);
        } else {
          look(property.text());
        }
      }
    }
  });
  return facts;
}

int LabelledCodePage(const GameTree& root) {
  const Node* first = root.NodeAt(0);
  const Property* label = first != nullptr ? first->Find(kPropCA) : nullptr;
  if (label == nullptr) return 0;
  return CodePageOfCharsetLabel(WideToBytes(label->text(), kUtf8CodePage));
}

}  // namespace

SavePlan PlanSave(const GameTree& root, int codePage) {
  const std::string label = CharsetCodePageMap::Instance().LabelOf(codePage);
  const bool labelWanted = !label.empty() && LabelledCodePage(root) != codePage;
  // UTF-8 holds every text, and a right CA stays whatever the text is.
  const TextFacts facts = LookAtText(root, codePage, codePage != kUtf8CodePage, labelWanted);
  if (!facts.fits) {
    return {{kUtf8CodePage, FromUtf8(CharsetCodePageMap::Instance().LabelOf(kUtf8CodePage))}, true};
  }
  SavePlan plan{{codePage, std::nullopt}, false};
  if (facts.beyondAscii && labelWanted) plan.output.charset = FromUtf8(label);
  return plan;
}

void ApplySavePlan(GameTree& root, const SavePlan& plan) {
  Node* first = root.NodeAt(0);
  if (!plan.output.charset || first == nullptr) return;
  if (Property* label = first->Find(kPropCA)) {
    label->SetText(*plan.output.charset);
  } else {
    first->Add(Property::WithText(kPropCA, *plan.output.charset));
  }
}

}  // namespace vantaro
