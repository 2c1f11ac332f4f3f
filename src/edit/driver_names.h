// The driver names of one run, prepared once so that each script is walked
// once for all of them. A line's fate does not depend on the order of the
// names: a blanked line matches no later name, and the only lines holding
// "[" that a name blanks are a files header and its whole section, so no
// other line changes section for the names that follow. So the name whose
// pass takes a line, in a run name by name, is the first name in the list
// whose rule matches the line as loaded.
#ifndef VORNIX_EDIT_DRIVER_NAMES_H_
#define VORNIX_EDIT_DRIVER_NAMES_H_

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "edit/name_tree.h"
#include "host/text/text_rules.h"

namespace vornix {

/// Keys of 16 bits for the bytes at `at`, each with bit 5 set, which ASCII
/// case does not change: of two bytes as they stand, of four hashed.
inline uint16_t PairKey(const char* at) {
  uint16_t pair;
  std::memcpy(&pair, at, sizeof pair);
  return pair | 0x2020u;
}
inline uint16_t FourKey(const char* at) {
  uint32_t four;
  std::memcpy(&four, at, sizeof four);
  return static_cast<uint16_t>(((four | 0x20202020u) * 0x9E3779B1u) >> 16);
}

/// A set of such keys, as bits.
class KeySet {
 public:
  void Add(unsigned key) { bits_[key / 64] |= uint64_t{1} << (key % 64); }
  bool Has(unsigned key) const { return ((bits_[key / 64] >> (key % 64)) & 1) != 0; }

 private:
  uint64_t bits_[1024] = {};
};

class DriverNames {
 public:
  /// No name matches.
  static constexpr int32_t kNone = -1;

  /// Names exactly as read, none empty; the case of ASCII letters is ignored
  /// in every test. The names are read while this lives.
  explicit DriverNames(const std::vector<std::string_view>& names);
  explicit DriverNames(std::vector<std::string_view>&& names) = delete;  // they must outlive it

  bool IsEmpty() const { return tree_.IsEmpty(); }

  /// Each test gives the lowest list index of the names that pass it, or
  /// kNone. The text of `line` without blanks at either end begins with the
  /// name:
  int32_t BeginsTrimmed(std::string_view line) const;
  /// False only when no name can begin the line without its blanks, as told
  /// from its first bytes alone: a test far cheaper than BeginsTrimmed.
  bool MayBeginTrimmed(std::string_view line) const {
    return line.size() < 4 ? !line.empty() : IsBlank(line[0]) || MayBeginAt(line.data());
  }
  /// False only when no name begins at `at`, or ends at `end`, as told from
  /// the four bytes after `at` or before `end`.
  bool MayBeginAt(const char* at) const { return begins_.Has(FourKey(at)) || begins_.Has(PairKey(at)); }
  bool MayEndAt(const char* end) const { return ends_.Has(FourKey(end - 4)) || ends_.Has(PairKey(end - 2)); }
  /// The name stands in the text directly between two double quotes:
  int32_t QuotedIn(std::string_view text) const;
  /// The name stands anywhere in the text:
  int32_t OccursIn(std::string_view text) const;
  /// The text is the name, whole:
  int32_t NameOf(std::string_view text) const;
  /// The name followed by ".sys" stands anywhere in the text:
  int32_t SysFileIn(std::string_view text) const;

  const NameTree& Tree() const { return tree_; }

 private:
  NameTree tree_;
  // The keys of the names' first bytes and of their last: the FourKey of
  // four, or for a name of three bytes at most, the PairKey of two (for a
  // name of one byte, with each byte beside it).
  KeySet begins_, ends_;
};

/// The lower of two list indices, kNone counting as above all.
inline int32_t LowerIndex(int32_t a, int32_t b) {
  return static_cast<int32_t>(std::min(static_cast<uint32_t>(a), static_cast<uint32_t>(b)));
}

}  // namespace vornix

#endif  // VORNIX_EDIT_DRIVER_NAMES_H_
