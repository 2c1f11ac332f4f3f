#include "edit/dosnet_pass.h"

#include "edit/driver_names.h"
#include "host/text/line_list.h"
#include "host/text/text_rules.h"

namespace vornix {

namespace {

// Calls on_taken(line, taker, text) for every line a name takes, in file order.
// The pass reads no sections: any line that names a driver's ".sys" file, in
// any case and anywhere in it, is taken. Such a line holds a "y" or a "Y":
// only the lines found by searching the buffer for those two are read, and
// of those, only where one stands in ".sys".
template <class OnTaken>
void WalkTakers(const LineList& dosnet_lines, const DriverNames& names, OnTaken on_taken) {
  if (names.IsEmpty()) return;
  const auto in_sys = [](std::string_view text, size_t y) {
    return y < 2 || y + 1 == text.size() || (text[y - 2] == '.' && FoldAscii(text[y - 1]) == 'S' && FoldAscii(text[y + 1]) == 'S');
  };
  dosnet_lines.ForEachLineHolding(
      "yY",
      [&](int32_t line, std::string_view text) {
        const int32_t taker = names.SysFileIn(TrimBlanks(text));
        if (taker != DriverNames::kNone) on_taken(line, taker, text);
      },
      in_sys);
}

}  // namespace

std::vector<TakenLine> DosnetTakers(const LineList& dosnet_lines, const DriverNames& names) {
  std::vector<TakenLine> taken;
  WalkTakers(dosnet_lines, names, [&taken](int32_t line, int32_t taker, std::string_view text) {
    taken.push_back(TakenLine{line, taker, LineRule::kContains, text});
  });
  return taken;
}

void ClearDosnetEntries(LineList& dosnet_lines, const DriverNames& names) {
  WalkTakers(dosnet_lines, names, [&dosnet_lines](int32_t line, int32_t, std::string_view) { dosnet_lines.BlankLine(line); });
}

}  // namespace vornix
