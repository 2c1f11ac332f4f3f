// The removal pass over txtsetup.sif: one walk that keeps track of the
// section it is in and blanks a driver's lines by the rule of that section.
#ifndef VORNIX_EDIT_TXTSETUP_PASS_H_
#define VORNIX_EDIT_TXTSETUP_PASS_H_

#include <string_view>

namespace vornix {

class DriverNames;
class LineList;

enum class SectionKind {
  kNoSection,
  kInSourceDisksFiles,
  kInScsi,
  kInScsiLoad,
  kInHardwareIdsDatabase,
  kInBusExtendersLoad,
  kInBusExtenders,
  kInDriverFiles,
};

/// The section that a line holding "[" opens, judged on its trimmed form: a
/// recognised header in any ASCII case, a driver's own "[files.NAME]", or no
/// recognised section.
SectionKind HeaderKind(std::string_view trimmed, const DriverNames& names);

/// Blanks the drivers' entries in the recognised sections and the drivers'
/// own files sections, headers included. Lines are blanked, never removed.
void ClearTxtsetupEntries(LineList& txtsetup_lines, const DriverNames& names);

}  // namespace vornix

#endif  // VORNIX_EDIT_TXTSETUP_PASS_H_
