#include "edit/takers.h"

#include "edit/dosnet_pass.h"
#include "edit/driver_names.h"
#include "edit/txtsetup_pass.h"

namespace vornix {

static_assert(kNoTaker == DriverNames::kNone, "the passes' none is the takers' none");

Takers FindTakers(const LineList& txtsetup, const LineList& dosnet,
                  const std::vector<std::string>& names) {
  const DriverNames driver_names(names);
  return Takers{TxtsetupTakers(txtsetup, driver_names), DosnetTakers(dosnet, driver_names)};
}

}  // namespace vornix
