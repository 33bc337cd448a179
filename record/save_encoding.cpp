#include "record/save_encoding.h"

#include "text/code_page_table.h"
#include "text/text_conversion.h"

namespace vantaro {
namespace {

struct TextFacts {
  bool beyondAscii = false;
  bool fits = true;
};

void Look(std::u16string_view text, int codePage, TextFacts& facts) {
  bool ascii = true;
  for (char16_t unit : text) ascii = ascii && unit < 0x80;
  if (ascii) return;
  facts.beyondAscii = true;
  facts.fits = CanEncode(text, codePage);
}

// Stops at the first text that does not fit: the answer is UTF-8 then.
TextFacts LookAtText(const GameTree& root, int codePage) {
  TextFacts facts;
  ForEachTree(root, [&](const GameTree& tree) {
    for (const auto& node : tree.nodes()) {
      for (const Property& property : node->properties()) {
        if (!facts.fits) return;
        if (const UnknownValue* unknown = property.unknown()) {
          for (const std::u16string& value : unknown->values) Look(value, codePage, facts);
        } else {
          Look(property.text(), codePage, facts);
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
  const TextFacts facts = LookAtText(root, codePage);
  if (!facts.fits)
    return {{kUtf8CodePage, FromUtf8(CharsetCodePageMap::Instance().LabelOf(kUtf8CodePage))}, true};
  SavePlan plan{{codePage, std::nullopt}, false};
  const std::string label = CharsetCodePageMap::Instance().LabelOf(codePage);
  if (facts.beyondAscii && !label.empty() && LabelledCodePage(root) != codePage) {
    plan.output.charset = FromUtf8(label);
  }
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
