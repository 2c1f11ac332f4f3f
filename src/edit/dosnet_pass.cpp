#include "edit/dosnet_pass.h"

#include "edit/driver_names.h"
#include "host/text/text_rules.h"
#include "host/text/line_list.h"

namespace vornix {

// The pass reads no sections: any line that names a driver's ".sys" file,
// in any case and anywhere in it, is blanked.
void ClearDosnetEntries(LineList& dosnet_lines, const DriverNames& names) {
  if (names.IsEmpty()) return;
  for (int32_t i = 0; i < dosnet_lines.LineCount(); ++i) {
    if (names.SysFileIn(TrimBlanks(dosnet_lines.LineView(i))))
      dosnet_lines.SetLine(i, std::string_view());
  }
}

}  // namespace vornix
