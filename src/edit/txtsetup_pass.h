#ifndef VORNIX_EDIT_TXTSETUP_PASS_H_
#define VORNIX_EDIT_TXTSETUP_PASS_H_

namespace vornix {

class DriverNames;
class LineList;

/// Blanks the drivers' entries in the recognised sections of txtsetup.sif
/// and their own files sections.
void ClearTxtsetupEntries(LineList& txtsetup_lines, const DriverNames& names);

}  // namespace vornix

#endif  // VORNIX_EDIT_TXTSETUP_PASS_H_
