// The removal pass over txtsetup.sif: one walk that keeps track of the
// section it is in and blanks a driver's lines by the rule of that section.
#ifndef VORNIX_EDIT_TXTSETUP_PASS_H_
#define VORNIX_EDIT_TXTSETUP_PASS_H_

namespace vornix {

class DriverNames;
class LineList;

/// Blanks the drivers' entries in the recognised sections and the drivers'
/// own files sections, headers included. Lines are blanked, never removed.
void ClearTxtsetupEntries(LineList& txtsetup_lines, const DriverNames& names);

}  // namespace vornix

#endif  // VORNIX_EDIT_TXTSETUP_PASS_H_
