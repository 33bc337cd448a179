// Editing the game information: every field of the dialog in one step.
#include <algorithm>

#include "editor/go_editor.h"
#include "property/game_info_syntax.h"

namespace vantaro {

bool GoEditor::SetGameInformation(std::span<const GameInfoEdit> edits) {
  if (!EditAllowed() || GameInfoNode() == nullptr) return false;
  Node& node = *record_->NodeAt(0);
  std::unique_ptr<Node> copy = node.Clone();
  for (const GameInfoEdit& edit : edits) {
    if (!FindGameInfoIdentifier(edit.identifier)) return false;
    // A value kept as the record holds it passes, whatever its syntax.
    if (GameInfoValue(node, edit.identifier).value_or(u"") == edit.text) continue;
    if (CheckGameInfoValue(edit.identifier, edit.text).verdict == ValueVerdict::Refused) {
      return false;
    }
    SetGameInfoValue(*copy, edit.identifier, edit.text);
  }
  const PropertyList& before = node.properties();
  const PropertyList& after = copy->properties();
  if (std::equal(before.begin(), before.end(), after.begin(), after.end())) return false;
  return CommitNodeCopy(node, std::move(copy));
}

}  // namespace vantaro
