// A set of upper-cased names as a compressed prefix tree, matched against
// text that is folded with FoldAscii while it is read. The tree has a node
// per branch point, not per byte, so its size follows the number of names
// rather than their length.
#ifndef VORNIX_EDIT_NAME_TREE_H_
#define VORNIX_EDIT_NAME_TREE_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/text/text_rules.h"

namespace vornix {

class NameTree {
 public:
  /// `names` upper-cased and not empty; duplicates are fine.
  explicit NameTree(std::vector<std::string> names);

  bool IsEmpty() const { return nodes_.size() <= 1; }

  /// Reads text from `at`, stepping by `step` (+1 forward, -1 backward), at
  /// most `available` bytes, and calls `on_name(length)` for every name that
  /// the bytes read spell, shortest first. Stops and gives true as soon as
  /// `on_name` does.
  template <class OnName>
  bool Match(const char* at, ptrdiff_t step, size_t available,
             OnName on_name) const;

 private:
  struct Node {
    uint32_t edge_offset;  // the edge's bytes in labels_
    uint32_t edge_length;
    uint32_t first_child;  // 0: none (the root is never a child)
    uint32_t next_sibling;
    bool ends_name;
  };
  void Build(const std::vector<std::string>& sorted);
  uint32_t Child(const Node& node, uint32_t index, char byte) const;

  std::string labels_;
  std::vector<Node> nodes_;
  uint32_t root_children_[256];
};

template <class OnName>
bool NameTree::Match(const char* at, ptrdiff_t step, size_t available,
                     OnName on_name) const {
  uint32_t index = 0;
  size_t depth = 0;
  for (;;) {
    const Node& node = nodes_[index];
    if (node.ends_name && on_name(depth)) return true;
    if (depth == available) return false;
    const uint32_t child =
        Child(node, index, FoldAscii(at[static_cast<ptrdiff_t>(depth) * step]));
    if (child == 0) return false;
    const Node& next = nodes_[child];
    if (next.edge_length > available - depth) return false;
    const char* label = labels_.data() + next.edge_offset;
    for (uint32_t k = 1; k < next.edge_length; ++k) {
      if (FoldAscii(at[static_cast<ptrdiff_t>(depth + k) * step]) != label[k])
        return false;
    }
    depth += next.edge_length;
    index = child;
  }
}

inline uint32_t NameTree::Child(const Node& node, uint32_t index,
                                char byte) const {
  if (index == 0) return root_children_[static_cast<unsigned char>(byte)];
  for (uint32_t child = node.first_child; child != 0;
       child = nodes_[child].next_sibling) {
    if (labels_[nodes_[child].edge_offset] == byte) return child;
  }
  return 0;
}

}  // namespace vornix

#endif  // VORNIX_EDIT_NAME_TREE_H_
