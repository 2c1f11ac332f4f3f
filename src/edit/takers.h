// Which name of the list takes each line of the two scripts: the one walk
// behind the preview and the driver list.
#ifndef VORNIX_EDIT_TAKERS_H_
#define VORNIX_EDIT_TAKERS_H_

#include <cstdint>
#include <string>
#include <vector>

#include "edit/txtsetup_pass.h"

namespace vornix {

class DriverNames;
class LineList;

/// No name takes the line.
constexpr int32_t kNoTaker = -1;

struct Takers {
  std::vector<TakenLine> txtsetup;  // the lines taken, in order, of each script
  std::vector<TakenLine> dosnet;
  std::vector<SectionLines> sections;  // the recognised ones of txtsetup, found in the same walk
};

/// The lines of the scripts as loaded that a name takes, each with the index
/// in `names` of the first name whose pass blanks it in a run. That is the
/// lowest index among the names whose rule matches the line: a run blanks the
/// same lines in any order of the names (see driver_names.h). `names` as the
/// passes get them: none empty. Each script is walked once, whatever the
/// number of names; a line that is already empty is taken only in a driver's
/// own files section.
Takers FindTakers(const LineList& txtsetup, const LineList& dosnet,
                  const std::vector<std::string_view>& names);
/// The same for the names prepared once.
Takers FindTakers(const LineList& txtsetup, const LineList& dosnet, const DriverNames& names);

}  // namespace vornix

#endif  // VORNIX_EDIT_TAKERS_H_
