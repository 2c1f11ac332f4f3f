#include "edit/name_tree.h"

#include <algorithm>
#include <new>

namespace vornix {

NameTree::NameTree(const std::vector<std::string_view>& names) : names_(names.data()) {
  if (names.size() > INT32_MAX) throw std::bad_alloc();
  size_t bytes = 0;  // a node for each byte at most: the table is never moved
  for (const std::string_view name : names) {
    bytes += name.size();
    longest_ = std::max(longest_, name.size());
  }
  if (bytes >= UINT32_MAX) throw std::bad_alloc();  // nodes are numbered in 32 bits
  nodes_.reset(new Node[bytes + 1]);
  size_t slots = 16;  // two for each name at most: at most two thirds full
  while (slots < 3 * names.size()) slots *= 2;
  edges_.reset(static_cast<uint32_t*>(std::calloc(slots, sizeof(uint32_t))));
  if (edges_ == nullptr) throw std::bad_alloc();
  edge_mask_ = slots - 1;
  Node* const nodes = nodes_.get();
  nodes[0] = Node{0, 0, -1, 0, 0};
  if (!names.empty()) second_.reserve(64 * 256);  // rows enough for letters, digits and more
  // A node goes before its siblings. One that a table finds has none: it
  // takes the place of the table's 0.
  const auto new_node = [this, nodes](char byte, uint32_t link) {
    nodes[node_count_] = Node{0, link, -1, byte, 0};
    return node_count_++;
  };
  for (size_t i = 0; i < names.size(); ++i) {
    const std::string_view name = names[i];
    // The first two bytes by table, the others among their siblings.
    const unsigned char first = static_cast<unsigned char>(FoldAscii(name[0]));
    uint32_t node = root_children_[first];
    if (node == 0) {
      node = root_children_[first] = new_node(static_cast<char>(first), node);
      root_row_[first] = static_cast<uint32_t>(second_.size() / 256);
      second_.resize(second_.size() + 256, 0);
    }
    if (name.size() > 1) {
      const char byte = FoldAscii(name[1]);
      uint32_t& second = SecondChild(first, byte);
      if (second == 0) second = new_node(byte, second);
      node = second;
    }
    for (size_t depth = 2; depth < std::min(name.size(), kHashedDepth); ++depth) {
      const char byte = FoldAscii(name[depth]);
      uint32_t& child = edges_[EdgeSlot(node, byte)];
      if (child == 0) child = new_node(byte, node);
      node = child;
    }
    for (size_t depth = kHashedDepth; depth < name.size(); ++depth) {
      const char byte = FoldAscii(name[depth]);
      uint32_t child = ChildIn(nodes, node, byte);
      const size_t rest = name.size() - depth - 1;
      if (child == 0) {
        child = new_node(byte, nodes[node].first_child);
        nodes[node].first_child = child;
        if (rest <= kLongestRest) {  // the rest of this name, until another parts from it
          nodes[child].rest = static_cast<uint16_t>(rest);
          node = child;
          break;
        }
      } else if (nodes[child].rest != 0) {
        if (nodes[child].rest == rest && RestAt(nodes[child], name.data() + depth + 1)) {
          node = child;  // the same name again
          break;
        }
        SplitRest(child);  // this name ends here or parts from it further on
      }
      node = child;
    }
    // Names come in list order, so the first to end here has the lowest
    // index; a later one joins the chain after it.
    int32_t& lowest = nodes[node].first_name;
    const int32_t index = static_cast<int32_t>(i);
    if (lowest < 0) {
      lowest = index;
    } else {
      if (next_of_same_.empty()) next_of_same_.assign(names.size(), -1);
      next_of_same_[i] = next_of_same_[static_cast<size_t>(lowest)];
      next_of_same_[static_cast<size_t>(lowest)] = index;
    }
  }
}

void NameTree::SplitRest(uint32_t node) {
  Node& here = nodes_[node];
  const std::string_view name = names_[here.first_name];
  nodes_[node_count_] = Node{0, 0, here.first_name, FoldAscii(name[name.size() - here.rest]), static_cast<uint16_t>(here.rest - 1)};
  here = Node{node_count_++, here.link, -1, here.byte, 0};
}

}  // namespace vornix
