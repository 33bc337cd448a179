#include "cli/path_text.h"

#include <charconv>

namespace vantaro::cli {
namespace {

std::optional<int> ParseIndex(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

std::string FormatPath(const TreePath& path) {
  std::string text;
  for (size_t i = 0; i < path.children.size(); ++i) {
    if (i > 0) text += '.';
    text += std::to_string(path.children[i]);
  }
  return text + "/" + std::to_string(path.node);
}

std::optional<TreePath> ParsePath(std::string_view text) {
  const size_t slash = text.find('/');
  if (slash == std::string_view::npos) return std::nullopt;
  TreePath path;
  const std::optional<int> node = ParseIndex(text.substr(slash + 1));
  if (!node) return std::nullopt;
  path.node = *node;
  std::string_view children = text.substr(0, slash);
  while (!children.empty()) {
    const size_t dot = children.find('.');
    const std::optional<int> child = ParseIndex(children.substr(0, dot));
    if (!child) return std::nullopt;
    path.children.push_back(*child);
    if (dot == std::string_view::npos) break;
    children.remove_prefix(dot + 1);
    if (children.empty()) return std::nullopt;
  }
  return path;
}

}  // namespace vantaro::cli
