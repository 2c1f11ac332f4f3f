#ifndef VORNIX_EDIT_DOSNET_PASS_H_
#define VORNIX_EDIT_DOSNET_PASS_H_

#include <cstdint>
#include <vector>

#include "edit/txtsetup_pass.h"

namespace vornix {

class DriverNames;
class LineList;

/// Blanks every line of dosnet.inf that names the ".sys" file of one of the
/// drivers.
void ClearDosnetEntries(LineList& dosnet_lines, const DriverNames& names);

/// The lines that name a driver's ".sys" file, in order, each with the
/// lowest list index of those names and the rule kContains.
std::vector<TakenLine> DosnetTakers(const LineList& dosnet_lines, const DriverNames& names);

}  // namespace vornix

#endif  // VORNIX_EDIT_DOSNET_PASS_H_
