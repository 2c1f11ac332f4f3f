#ifndef VORNIX_EDIT_DOSNET_PASS_H_
#define VORNIX_EDIT_DOSNET_PASS_H_

#include <cstdint>
#include <vector>

namespace vornix {

class DriverNames;
class LineList;

/// Blanks every line of dosnet.inf that names the ".sys" file of one of the
/// drivers.
void ClearDosnetEntries(LineList& dosnet_lines, const DriverNames& names);

/// For each line, the lowest list index of the names whose ".sys" file it
/// names, or DriverNames::kNone.
std::vector<int32_t> DosnetTakers(const LineList& dosnet_lines, const DriverNames& names);

}  // namespace vornix

#endif  // VORNIX_EDIT_DOSNET_PASS_H_
