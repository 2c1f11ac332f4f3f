// The removal pass over txtsetup.sif: one walk that keeps track of the
// section it is in and blanks a driver's lines by the rule of that section.
#ifndef VORNIX_EDIT_TXTSETUP_PASS_H_
#define VORNIX_EDIT_TXTSETUP_PASS_H_

#include <cstdint>
#include <string_view>
#include <vector>

namespace vornix {

class DriverNames;
class LineList;

/// Blanks the drivers' entries in the recognised sections and the drivers'
/// own files sections, headers included. Lines are blanked, never removed.
void ClearTxtsetupEntries(LineList& txtsetup_lines, const DriverNames& names);

/// The recognised sections, as the removal rules see them begin and end;
/// headers, and lines of no recognised section, are kOther.
enum class ScriptSection {
  kOther,
  kSourceDisksFiles,
  kScsi,
  kScsiLoad,
  kHardwareIdsDatabase,
  kBusExtendersLoad,
  kBusExtenders,
};

/// The rule that a recognised section sets for its lines: whether a line is
/// taken when it begins with a name, holds it in quotes, or holds it
/// anywhere. Headers themselves, and lines of no recognised section (a
/// driver's own files section among them), have none.
enum class LineRule { kNone,
                      kBeginsWith,
                      kQuoted,
                      kContains };
LineRule RuleOf(ScriptSection section);

/// A line that a pass takes: the lowest list index of the names whose rule
/// takes it, the name whose pass blanks it in a run name by name.
struct TakenLine {
  int32_t line;
  int32_t taker;
  LineRule rule;          // that takes it; kNone for a driver's own files section
  std::string_view text;  // as loaded, a view into the list
};

/// The lines [first, end) of a recognised section, its header aside.
struct SectionLines {
  int32_t first;
  int32_t end;
  ScriptSection section;
};

/// The lines the names take, in order. With `sections`, also the recognised
/// sections that hold lines, in order, found in the same walk.
std::vector<TakenLine> TxtsetupTakers(const LineList& txtsetup_lines, const DriverNames& names,
                                      std::vector<SectionLines>* sections = nullptr);

}  // namespace vornix

#endif  // VORNIX_EDIT_TXTSETUP_PASS_H_
