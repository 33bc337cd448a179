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
  // Kept properties move forward over removed ones and the rest is cut from
  // the end, and emptied nodes go in one pass: removing one at a time would
  // shift the rest of a long list for each.
  ForEachTree(tree, [&](GameTree& each) {
    for (const auto& node : each.nodes()) {
      PropertyList& properties = node->properties();
      size_t kept = 0;
      for (size_t k = 0; k < properties.size(); ++k) {
        if (isTagged(properties[k])) continue;
        if (kept != k) properties[kept] = std::move(properties[k]);
        ++kept;
      }
      while (properties.size() > kept) properties.erase(properties.size() - 1);
    }
    each.RemoveEmptyNodes();
    if (each.NodeCount() == 0) each.InsertNode(std::make_unique<Node>());
  });
}

}  // namespace vantaro
