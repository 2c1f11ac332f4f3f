#include "edit/driver_names.h"

#include <algorithm>

namespace vornix {

DriverNames::DriverNames(const std::vector<std::string_view>& names) : tree_(names) {
  for (const std::string_view name : names) {
    const char* const end = name.data() + name.size();
    if (name.size() > 3) {
      begins_.Add(FourKey(name.data()));
      ends_.Add(FourKey(end - 4));
    } else if (name.size() > 1) {
      begins_.Add(PairKey(name.data()));
      ends_.Add(PairKey(end - 2));
    } else {
      for (int other = 0; other < 256; ++other) {
        const char after[] = {name[0], static_cast<char>(other)}, before[] = {static_cast<char>(other), name[0]};
        begins_.Add(PairKey(after));
        ends_.Add(PairKey(before));
      }
    }
  }
}

int32_t DriverNames::BeginsTrimmed(std::string_view line) const {
  // The blanks at the end are looked for only when a name is met: a name
  // that runs into them does not count.
  size_t begin = 0;
  while (begin < line.size() && IsBlank(line[begin])) ++begin;
  const std::string_view text = line.substr(begin);
  int32_t lowest = kNone;
  size_t trimmed = 0;  // the length without blanks at the end, once known
  tree_.Walk(text.data(), text.size(), [&](size_t length, int32_t index) {
    if (trimmed == 0) trimmed = TrimBlanks(text).size();
    if (length <= trimmed) lowest = LowerIndex(lowest, index);
  });
  return lowest;
}

int32_t DriverNames::QuotedIn(std::string_view text) const {
  int32_t lowest = kNone;
  for (size_t quote = text.find('"'); quote != std::string_view::npos;
       quote = text.find('"', quote + 1)) {
    const size_t start = quote + 1;
    tree_.Walk(text.data() + start, text.size() - start, [&](size_t length, int32_t index) {
      if (start + length < text.size() && text[start + length] == '"')
        lowest = LowerIndex(lowest, index);
    });
  }
  return lowest;
}

int32_t DriverNames::OccursIn(std::string_view text) const {
  int32_t lowest = kNone;
  for (size_t start = 0; start != text.size(); ++start) {
    tree_.Walk(text.data() + start, text.size() - start,
               [&](size_t, int32_t index) { lowest = LowerIndex(lowest, index); });
  }
  return lowest;
}

int32_t DriverNames::NameOf(std::string_view text) const {
  int32_t whole = kNone;
  tree_.Walk(text.data(), text.size(), [&](size_t length, int32_t index) {
    if (length == text.size()) whole = index;
  });
  return whole;
}

namespace {

bool SysAt(std::string_view text, size_t at) {
  return text.size() - at >= 4 && text[at] == '.' && FoldAscii(text[at + 1]) == 'S' &&
         FoldAscii(text[at + 2]) == 'Y' && FoldAscii(text[at + 3]) == 'S';
}

}  // namespace

int32_t DriverNames::SysFileIn(std::string_view text) const {
  // At each ".sys", the names that end right before it: they start at most
  // the longest name before it.
  const size_t longest = tree_.LongestName();
  int32_t lowest = kNone;
  for (size_t sys = text.find('.'); sys != std::string_view::npos; sys = text.find('.', sys + 1)) {
    if (!SysAt(text, sys) || (sys >= 4 && !MayEndAt(text.data() + sys))) continue;
    for (size_t start = sys - std::min(sys, longest); start < sys; ++start) {
      if (!MayBeginAt(text.data() + start)) continue;
      tree_.Walk(text.data() + start, sys - start, [&](size_t length, int32_t index) {
        if (start + length == sys) lowest = LowerIndex(lowest, index);
      });
    }
  }
  return lowest;
}

}  // namespace vornix
