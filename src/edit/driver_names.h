// The driver names of one run, prepared once so that each script is walked
// once for all of them. A line's fate does not depend on the order of the
// names: a blanked line matches no later name, and the only lines holding
// "[" that a name blanks are a files header and its whole section, so no
// other line changes section for the names that follow. So the name whose
// pass takes a line, in a run name by name, is the first name in the list
// whose rule matches the line as loaded.
#ifndef VORNIX_EDIT_DRIVER_NAMES_H_
#define VORNIX_EDIT_DRIVER_NAMES_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "edit/name_tree.h"

namespace vornix {

class DriverNames {
 public:
  /// No name matches.
  static constexpr int32_t kNone = -1;

  /// Names exactly as read, none empty; the case of ASCII letters is ignored
  /// in every test.
  explicit DriverNames(const std::vector<std::string>& names) : tree_(names) {}

  bool IsEmpty() const { return tree_.IsEmpty(); }

  /// Each test gives the lowest list index of the names that pass it, or
  /// kNone. The text of `line` without blanks at either end begins with the
  /// name:
  int32_t BeginsTrimmed(std::string_view line) const;
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
};

/// The lower of two list indices, kNone counting as above all.
inline int32_t LowerIndex(int32_t a, int32_t b) {
  return static_cast<uint32_t>(a) < static_cast<uint32_t>(b) ? a : b;
}

}  // namespace vornix

#endif  // VORNIX_EDIT_DRIVER_NAMES_H_
