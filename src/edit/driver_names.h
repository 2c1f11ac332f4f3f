// The driver names of one run, prepared once so that each script is walked
// once for all of them. A line's fate does not depend on the order of the
// names: a blanked line matches no later name, and the only lines holding
// "[" that a name blanks are a files header and its whole section, so no
// other line changes section for the names that follow.
#ifndef VORNIX_EDIT_DRIVER_NAMES_H_
#define VORNIX_EDIT_DRIVER_NAMES_H_

#include <string>
#include <string_view>
#include <vector>

#include "edit/name_tree.h"

namespace vornix {

class DriverNames {
 public:
  /// Names exactly as read, none empty; the case of ASCII letters is ignored
  /// in every test.
  explicit DriverNames(const std::vector<std::string>& names);

  bool IsEmpty() const { return forward_.IsEmpty(); }

  /// The text begins with a name.
  bool BeginsText(std::string_view text) const;
  /// A name stands in the text directly between two double quotes.
  bool QuotedIn(std::string_view text) const;
  /// A name stands anywhere in the text.
  bool OccursIn(std::string_view text) const;
  /// The text is a name, whole.
  bool IsName(std::string_view text) const;
  /// A name followed by ".sys" stands anywhere in the text.
  bool SysFileIn(std::string_view text) const;

 private:
  NameTree forward_;
  NameTree reversed_;  // each name's bytes in reverse order
};

}  // namespace vornix

#endif  // VORNIX_EDIT_DRIVER_NAMES_H_
