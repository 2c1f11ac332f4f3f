#include "edit/dosnet_pass.h"

#include "edit/driver_names.h"
#include "host/text/text_rules.h"
#include "host/text/line_list.h"

namespace vornix {

// The pass reads no sections: any line that names a driver's ".sys" file,
// in any case and anywhere in it, is taken.
std::vector<int32_t> DosnetTakers(const LineList& dosnet_lines, const DriverNames& names) {
  std::vector<int32_t> takers(static_cast<size_t>(dosnet_lines.LineCount()), DriverNames::kNone);
  if (names.IsEmpty()) return takers;
  for (int32_t i = 0; i < dosnet_lines.LineCount(); ++i)
    takers[static_cast<size_t>(i)] = names.SysFileIn(TrimBlanks(dosnet_lines.LineView(i)));
  return takers;
}

void ClearDosnetEntries(LineList& dosnet_lines, const DriverNames& names) {
  const std::vector<int32_t> takers = DosnetTakers(dosnet_lines, names);
  for (size_t i = 0; i < takers.size(); ++i)
    if (takers[i] != DriverNames::kNone) dosnet_lines.SetLine(static_cast<int32_t>(i), std::string_view());
}

}  // namespace vornix
