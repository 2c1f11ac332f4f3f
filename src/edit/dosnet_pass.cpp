#include "edit/dosnet_pass.h"

#include "edit/driver_names.h"
#include "host/text/line_list.h"
#include "host/text/text_rules.h"

namespace vornix {

namespace {

// Calls on_taken(line, taker) for every line a name takes, in file order.
// The pass reads no sections: any line that names a driver's ".sys" file, in
// any case and anywhere in it, is taken. Such a line holds a "y" or a "Y":
// only the lines found by searching the buffer for those two are read.
template <class OnTaken>
void WalkTakers(const LineList& dosnet_lines, const DriverNames& names, OnTaken on_taken) {
  if (names.IsEmpty()) return;
  dosnet_lines.ForEachLineHolding("yY", [&](int32_t line, std::string_view text) {
    const int32_t taker = names.SysFileIn(TrimBlanks(text));
    if (taker != DriverNames::kNone) on_taken(line, taker);
  });
}

}  // namespace

std::vector<int32_t> DosnetTakers(const LineList& dosnet_lines, const DriverNames& names) {
  std::vector<int32_t> takers(static_cast<size_t>(dosnet_lines.LineCount()), DriverNames::kNone);
  WalkTakers(dosnet_lines, names, [&takers](int32_t line, int32_t taker) { takers[static_cast<size_t>(line)] = taker; });
  return takers;
}

void ClearDosnetEntries(LineList& dosnet_lines, const DriverNames& names) {
  WalkTakers(dosnet_lines, names, [&dosnet_lines](int32_t line, int32_t) { dosnet_lines.SetLine(line, std::string_view()); });
}

}  // namespace vornix
