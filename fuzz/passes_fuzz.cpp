// The one-walk passes against the plain per-name walks of the reference.
// The input is a name list, one name a line, then a NUL and the txtsetup.sif
// lines, then optionally a NUL and the dosnet.inf lines; without a second
// NUL the txtsetup.sif lines serve as dosnet.inf too. Without any NUL the
// first line is the only name and the whole input is the script. Every name
// is passed as read, empty and blank-only ones included.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "edit/dosnet_pass.h"
#include "edit/driver_names.h"
#include "edit/txtsetup_pass.h"
#include "fuzz_check.h"
#include "host/line_list.h"
#include "reference_passes.h"

namespace {

using vornix::LineList;

LineList LinesOf(std::string_view text) {
  LineList list;
  list.SetText(std::string(text));
  return list;
}

void ExpectSameLines(const char* what, const LineList& got,
                     const LineList& expected,
                     const std::vector<std::string>& names) {
  const bool same_count = got.LineCount() == expected.LineCount();
  int32_t differing = -1;
  for (int32_t i = 0; same_count && i < got.LineCount(); ++i) {
    if (got.LineView(i) != expected.LineView(i)) {
      differing = i;
      break;
    }
  }
  if (same_count && differing < 0) return;
  for (const std::string& name : names) vornix::fuzz::PrintBytes("name", name);
  if (!same_count) {
    vornix::fuzz::ExpectSame(what, static_cast<size_t>(got.LineCount()),
                             static_cast<size_t>(expected.LineCount()));
  }
  std::fprintf(stderr, "  line %d\n", differing);
  vornix::fuzz::ExpectSame(what, got.LineView(differing),
                           expected.LineView(differing));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input = vornix::fuzz::AsText(data, size);
  std::string_view names_text, txtsetup_text, dosnet_text;
  const size_t first_nul = input.find('\0');
  if (first_nul == std::string_view::npos) {
    names_text = input.substr(0, input.find_first_of("\r\n"));
    txtsetup_text = dosnet_text = input;
  } else {
    names_text = input.substr(0, first_nul);
    const std::string_view scripts = input.substr(first_nul + 1);
    const size_t second_nul = scripts.find('\0');
    txtsetup_text = scripts.substr(0, second_nul);
    dosnet_text = second_nul == std::string_view::npos
                      ? txtsetup_text
                      : scripts.substr(second_nul + 1);
  }

  std::vector<std::string> names;
  const LineList name_lines = LinesOf(names_text);
  for (int32_t i = 0; i < name_lines.LineCount(); ++i)
    names.push_back(name_lines.GetLine(i));

  LineList txtsetup = LinesOf(txtsetup_text);
  LineList dosnet = LinesOf(dosnet_text);
  LineList reference_txtsetup = txtsetup;
  LineList reference_dosnet = dosnet;
  LineList reversed_txtsetup = txtsetup;
  LineList reversed_dosnet = dosnet;

  const vornix::DriverNames driver_names(names);
  vornix::ClearTxtsetupEntries(txtsetup, driver_names);
  vornix::ClearDosnetEntries(dosnet, driver_names);
  vornix::ReferenceRemoveDrivers(reference_txtsetup, reference_dosnet, names);
  ExpectSameLines("txtsetup.sif pass", txtsetup, reference_txtsetup, names);
  ExpectSameLines("dosnet.inf pass", dosnet, reference_dosnet, names);

  // The order of the names does not matter to the outcome.
  std::vector<std::string> reversed(names.rbegin(), names.rend());
  vornix::ReferenceRemoveDrivers(reversed_txtsetup, reversed_dosnet, reversed);
  ExpectSameLines("txtsetup.sif, names reversed", reversed_txtsetup,
                  reference_txtsetup, names);
  ExpectSameLines("dosnet.inf, names reversed", reversed_dosnet,
                  reference_dosnet, names);
  return 0;
}
