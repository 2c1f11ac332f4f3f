// A set of names as a prefix tree of their upper-cased bytes, matched against
// text that is folded with FoldAscii while it is read. Each name is inserted
// once, so building costs the bytes of the names; each node keeps the lowest
// list index of the names that end there. The nodes of the first two bytes
// are found by table; those of the third and fourth, where most names part,
// by a hash of their parent and byte; deeper ones among their few siblings.
// Below those, the bytes that only one name has are not nodes: the node of
// the first of them stands for the rest of that name, read from the name
// itself, until another name parts from it there.
#ifndef VORNIX_EDIT_NAME_TREE_H_
#define VORNIX_EDIT_NAME_TREE_H_

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "host/text/text_rules.h"

namespace vornix {

class NameTree {
 public:
  /// Names as read, none empty; the same name in another ASCII case is the
  /// same name. The tree reads their bytes while it lives.
  explicit NameTree(const std::vector<std::string_view>& names);
  explicit NameTree(std::vector<std::string_view>&& names) = delete;  // they must outlive it

  bool IsEmpty() const { return node_count_ <= 1; }
  /// The length of the longest name.
  size_t LongestName() const { return longest_; }

  /// Reads text from `at`, at most `available` bytes, and calls
  /// `on_name(length, index)` for every name that the bytes read spell,
  /// shortest first, with the lowest list index of that name.
  template <class OnName>
  void Walk(const char* at, size_t available, OnName on_name) const;

  /// Another list index of the name at `index` (ASCII case aside), or -1:
  /// from the lowest index that Walk gives, the chain reaches each once.
  int32_t NextOfSameName(int32_t index) const {
    return next_of_same_.empty() ? -1 : next_of_same_[static_cast<size_t>(index)];
  }

 private:
  struct Node {
    uint32_t first_child;  // 0: none (the root is never a child)
    uint32_t link;         // the next sibling; for a node found by hash, its parent
    int32_t first_name;    // the lowest list index ending here, or -1
    char byte;
    // How many of the last bytes of the name first_name follow `byte` here,
    // when no other name has them: such a node has no children.
    uint16_t rest;
  };
  static constexpr size_t kLongestRest = UINT16_MAX;
  // Whether the bytes at `at` are those of the node's rest, ASCII case aside.
  bool RestAt(const Node& node, const char* at) const;
  // Gives the first byte of a node's rest a node of its own, with the rest
  // after it.
  void SplitRest(uint32_t node);
  // The depth below which children are found by hash.
  static constexpr size_t kHashedDepth = 4;
  uint32_t Child(uint32_t node, char byte) const { return ChildIn(nodes_.get(), node, byte); }
  static uint32_t ChildIn(const Node* nodes, uint32_t node, char byte);
  // The child of a node of depth 2 or 3 for `byte`, or 0.
  uint32_t HashedChild(uint32_t node, char byte) const { return edges_[EdgeSlot(node, byte)]; }
  // The slot of the table that holds that child, or where it would go.
  size_t EdgeSlot(uint32_t node, char byte) const;
  uint32_t& SecondChild(unsigned char first, char byte) {
    return second_[root_row_[first] * 256 + static_cast<unsigned char>(byte)];
  }

  // A node for each byte of the names at most, made in order; left
  // uninitialised beyond node_count_, so that pages no node uses are not touched.
  std::unique_ptr<Node[]> nodes_;
  uint32_t node_count_ = 1;
  uint32_t root_children_[256] = {};  // 0: none (the root is never a child)
  // The children of the root's child for byte b are second_'s row
  // root_row_[b], by byte.
  uint32_t root_row_[256] = {};
  std::vector<uint32_t> second_;
  // The nodes of depth 3 and 4, by their parent and byte: open addressing
  // over a table never full, so a search ends at a 0.
  struct Free {
    void operator()(uint32_t* table) const { std::free(table); }
  };
  std::unique_ptr<uint32_t[], Free> edges_;  // from calloc, which may hand out fresh memory as zero without writing it
  size_t edge_mask_ = 0;
  size_t longest_ = 0;
  const std::string_view* names_;      // the caller's
  std::vector<int32_t> next_of_same_;  // made when a name comes twice
};

inline uint32_t NameTree::ChildIn(const Node* nodes, uint32_t node, char byte) {
  uint32_t child = nodes[node].first_child;
  while (child != 0 && nodes[child].byte != byte) child = nodes[child].link;
  return child;
}

inline size_t NameTree::EdgeSlot(uint32_t node, char byte) const {
  const Node* const nodes = nodes_.get();
  const uint64_t key = (uint64_t{node} << 8) | static_cast<unsigned char>(byte);
  size_t slot = static_cast<size_t>((key * 0x9E3779B97F4A7C15u) >> 32) & edge_mask_;
  for (;; slot = (slot + 1) & edge_mask_) {
    const uint32_t child = edges_[slot];
    if (child == 0 || (nodes[child].link == node && nodes[child].byte == byte)) return slot;
  }
}

template <class OnName>
void NameTree::Walk(const char* at, size_t available, OnName on_name) const {
  if (available == 0) return;
  const unsigned char first = static_cast<unsigned char>(FoldAscii(at[0]));
  uint32_t node = root_children_[first];
  if (node == 0) return;
  if (nodes_[node].first_name >= 0) on_name(1, nodes_[node].first_name);
  if (available == 1) return;
  node = second_[root_row_[first] * 256 + static_cast<unsigned char>(FoldAscii(at[1]))];
  if (node == 0) return;
  if (nodes_[node].first_name >= 0) on_name(2, nodes_[node].first_name);
  for (size_t depth = 2; depth < kHashedDepth && depth < available;) {
    node = HashedChild(node, FoldAscii(at[depth++]));
    if (node == 0) return;
    if (nodes_[node].first_name >= 0) on_name(depth, nodes_[node].first_name);
  }
  for (size_t depth = kHashedDepth; depth < available;) {
    node = Child(node, FoldAscii(at[depth++]));
    if (node == 0) return;
    const Node& here = nodes_[node];
    if (here.rest != 0) {  // one name's last bytes, all of them or none
      if (available - depth >= here.rest && RestAt(here, at + depth)) on_name(depth + here.rest, here.first_name);
      return;
    }
    if (here.first_name >= 0) on_name(depth, here.first_name);
  }
}

// SameNoCase compares the same way, but a call to it on every rest a walk
// reaches costs a run with 5,000 names about 40,000 instructions more.
inline bool NameTree::RestAt(const Node& node, const char* at) const {
  const std::string_view name = names_[node.first_name];
  const char* const rest = name.data() + name.size() - node.rest;
  for (size_t k = 0; k < node.rest; ++k) {
    if (FoldAscii(at[k]) != FoldAscii(rest[k])) return false;
  }
  return true;
}

}  // namespace vornix

#endif  // VORNIX_EDIT_NAME_TREE_H_
