#include "edit/name_tree.h"

#include <algorithm>
#include <new>

namespace vornix {

NameTree::NameTree(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  Build(names);
}

namespace {

size_t CommonPrefix(std::string_view a, std::string_view b) {
  const size_t limit = std::min(a.size(), b.size());
  size_t n = 0;
  while (n < limit && a[n] == b[n]) ++n;
  return n;
}

}  // namespace

// In sorted order the names below one node form a run, and the run's common
// prefix is that of its first and last name; so the tree is built top-down
// from runs, with an explicit stack so that deep trees cannot exhaust it.
void NameTree::Build(const std::vector<std::string>& sorted) {
  std::fill(std::begin(root_children_), std::end(root_children_), 0u);
  nodes_.push_back(Node{0, 0, 0, 0, false});

  struct Run {
    size_t begin, end;   // names [begin, end) all extend the parent's text
    size_t depth;        // the length of the parent's text
    uint32_t parent;
  };
  std::vector<Run> pending;
  // Children of one parent are pushed in reverse so that they are linked in
  // byte order.
  auto push_children = [&](size_t begin, size_t end, size_t depth,
                           uint32_t parent) {
    std::vector<Run> runs;
    for (size_t i = begin; i < end;) {
      size_t j = i + 1;
      while (j < end && sorted[j][depth] == sorted[i][depth]) ++j;
      runs.push_back(Run{i, j, depth, parent});
      i = j;
    }
    pending.insert(pending.end(), runs.rbegin(), runs.rend());
  };
  push_children(0, sorted.size(), 0, 0);

  std::vector<uint32_t> last_child(1, 0);
  while (!pending.empty()) {
    const Run run = pending.back();
    pending.pop_back();
    const std::string& first = sorted[run.begin];
    const size_t shared = CommonPrefix(first, sorted[run.end - 1]);
    if (labels_.size() + first.size() > UINT32_MAX ||
        nodes_.size() >= UINT32_MAX)
      throw std::bad_alloc();

    const uint32_t index = static_cast<uint32_t>(nodes_.size());
    const uint32_t offset = static_cast<uint32_t>(labels_.size());
    labels_.append(first, run.depth, shared - run.depth);
    const bool ends_name = first.size() == shared;
    nodes_.push_back(Node{offset, static_cast<uint32_t>(shared - run.depth), 0,
                          0, ends_name});
    last_child.push_back(0);

    if (run.parent == 0) {
      root_children_[static_cast<unsigned char>(first[run.depth])] = index;
    } else if (last_child[run.parent] == 0) {
      nodes_[run.parent].first_child = index;
    } else {
      nodes_[last_child[run.parent]].next_sibling = index;
    }
    last_child[run.parent] = index;

    push_children(run.begin + (ends_name ? 1 : 0), run.end, shared, index);
  }
}

}  // namespace vornix
