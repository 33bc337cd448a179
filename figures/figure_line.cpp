#include "figures/figure_line.h"

#include <algorithm>

namespace vantaro {

std::vector<const Node*> LineThrough(const GameTree& tree) {
  std::vector<const GameTree*> trees;
  for (const GameTree* up = &tree; up != nullptr; up = up->parent()) trees.push_back(up);
  std::reverse(trees.begin(), trees.end());
  for (const GameTree* down = tree.ChildAt(0); down != nullptr; down = down->ChildAt(0)) {
    trees.push_back(down);
  }
  std::vector<const Node*> line;
  for (const GameTree* each : trees) {
    for (const auto& node : each->nodes()) line.push_back(node.get());
  }
  return line;
}

}  // namespace vantaro
