#ifndef VORNIX_EDIT_DOSNET_PASS_H_
#define VORNIX_EDIT_DOSNET_PASS_H_

namespace vornix {

class DriverNames;
class LineList;

/// Blanks every line of dosnet.inf that names the ".sys" file of one of the
/// drivers.
void ClearDosnetEntries(LineList& dosnet_lines, const DriverNames& names);

}  // namespace vornix

#endif  // VORNIX_EDIT_DOSNET_PASS_H_
