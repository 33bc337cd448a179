#include "game/tag_filter.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "text/ascii.h"

namespace vantaro {

void FilterTags(GameTree& tree, std::string_view tagText) {
  // Tags that name a table row are matched by index, the others by the
  // identifier an unrecognised property keeps.
  std::array<bool, kPropertyCount> taggedRows{};
  std::vector<std::string> taggedNames;
  const std::string upper = AsciiUpper(tagText);
  size_t start = 0;
  while (start < upper.size()) {
    const size_t stop = std::min(upper.find_first_of(" ,\t", start), upper.size());
    if (stop > start) {
      const std::string tag = upper.substr(start, stop - start);
      if (const int index = FindPropertyIndex(tag); index != kPropUnknown) {
        taggedRows[static_cast<size_t>(index)] = true;
      } else {
        taggedNames.push_back(tag);
      }
    }
    start = stop + 1;
  }
  const auto isTagged = [&](const Property& property) {
    if (property.id() != kPropUnknown) return taggedRows[static_cast<size_t>(property.id())];
    return std::find(taggedNames.begin(), taggedNames.end(), property.Name()) != taggedNames.end();
  };
  ForEachTree(tree, [&](GameTree& each) {
    for (int i = each.NodeCount() - 1; i >= 0; --i) {
      PropertyList& properties = each.NodeAt(i)->properties();
      for (size_t k = properties.size(); k-- > 0;) {
        if (isTagged(properties[k])) properties.erase(k);
      }
      if (properties.empty()) each.DetachNode(i);
    }
    if (each.NodeCount() == 0) each.InsertNode(std::make_unique<Node>());
  });
}

}  // namespace vantaro
