#include "edit/dosnet_pass.h"
#include "edit/driver_names.h"
#include "edit/txtsetup_pass.h"

namespace vornix {

// The removal rules come next; until then the scripts keep every line.
void ClearDosnetEntries(LineList&, const DriverNames&) {}
void ClearTxtsetupEntries(LineList&, const DriverNames&) {}

}  // namespace vornix
