#include "edit/name_tree.h"

#include <algorithm>
#include <new>

namespace vornix {

NameTree::NameTree(const std::vector<std::string>& names)
    : nodes_(1, Node{0, 0, -1, 0}), next_of_same_(names.size(), -1) {
  if (names.size() > INT32_MAX) throw std::bad_alloc();
  size_t bytes = 0;  // a node for each byte at most: the table is never moved
  for (const std::string& name : names) {
    bytes += name.size();
    longest_ = std::max(longest_, name.size());
  }
  nodes_.reserve(bytes + 1);
  for (size_t i = 0; i < names.size(); ++i) {
    const std::string& name = names[i];
    uint32_t node = 0;
    for (size_t depth = 0; depth < name.size(); ++depth) {
      const char byte = FoldAscii(name[depth]);
      const unsigned char first = static_cast<unsigned char>(FoldAscii(name[0]));
      uint32_t* const slot = depth == 0   ? &root_children_[first]
                             : depth == 1 ? &SecondChild(first, byte)
                                          : nullptr;
      uint32_t child = slot != nullptr ? *slot : Child(node, byte);
      if (child == 0) {
        if (nodes_.size() >= UINT32_MAX) throw std::bad_alloc();
        child = static_cast<uint32_t>(nodes_.size());
        if (slot != nullptr) {
          nodes_.push_back(Node{0, 0, -1, byte});
          *slot = child;
          if (depth == 0) {
            root_row_[first] = static_cast<uint32_t>(second_.size() / 256);
            second_.resize(second_.size() + 256, 0);
          }
        } else {
          nodes_.push_back(Node{0, nodes_[node].first_child, -1, byte});
          nodes_[node].first_child = child;
        }
      }
      node = child;
    }
    // Names come in list order, so the first to end here has the lowest
    // index; a later one joins the chain after it.
    int32_t& first = nodes_[node].first_name;
    const int32_t index = static_cast<int32_t>(i);
    if (first < 0) {
      first = index;
    } else {
      next_of_same_[i] = next_of_same_[static_cast<size_t>(first)];
      next_of_same_[static_cast<size_t>(first)] = index;
    }
  }
}

}  // namespace vornix
