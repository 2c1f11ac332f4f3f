#include "edit/takers.h"

#include "edit/dosnet_pass.h"
#include "edit/driver_names.h"
#include "edit/txtsetup_pass.h"

namespace vornix {

Takers FindTakers(const LineList& txtsetup, const LineList& dosnet,
                  const std::vector<std::string_view>& names) {
  return FindTakers(txtsetup, dosnet, DriverNames(names));
}

Takers FindTakers(const LineList& txtsetup, const LineList& dosnet, const DriverNames& names) {
  Takers takers;
  takers.txtsetup = TxtsetupTakers(txtsetup, names, &takers.sections);
  takers.dosnet = DosnetTakers(dosnet, names);
  return takers;
}

}  // namespace vornix
