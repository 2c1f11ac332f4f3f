// The passes walk each script once for all names. On the cases of tests/cases (its seeds) as the fuzzer
// changes them, with the end-of-file marker cut and the names taken from the deletion list as a run does,
// that walk must leave what walks name by name leave, in the list's order and in the reverse order.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "case_file.h"
#include "edit/dosnet_pass.h"
#include "edit/driver_names.h"
#include "edit/script_rules.h"
#include "edit/txtsetup_pass.h"
#include "host/text/line_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vornix;
  const auto clear = [](LineList scripts[2], const std::vector<std::string_view>& names) {
    ClearTxtsetupEntries(scripts[0], DriverNames(names));
    ClearDosnetEntries(scripts[1], DriverNames(names));
  };
  for (Case& c : ParseCases(std::string_view(reinterpret_cast<const char*>(data), size), false)) {
    LineList delete_list, once[2];
    for (const std::string& line : c.files["txtfiles.del"]) delete_list.AddLine(line);
    std::string loaded[2];  // the scripts as a run loads them: CR LF text, not split
    for (const std::string& line : c.files["txtsetup.sif"]) loaded[0] += line + "\r\n";
    for (const std::string& line : c.files["dosnet.inf"]) loaded[1] += line + "\r\n";
    for (int s = 0; s < 2; ++s) once[s].SetText(loaded[s]);
    if (once[0].LineCount() > 0) DropEndOfFileMarker(once[0]);
    const std::vector<std::string_view> names = DriverNamesOf(delete_list);
    LineList in_order[] = {once[0], once[1]}, reversed[] = {once[0], once[1]};
    clear(once, names);
    for (size_t n = 0; n < names.size(); ++n) {
      clear(in_order, {names[n]});
      clear(reversed, {names[names.size() - 1 - n]});
    }
    for (int s = 0; s < 2; ++s) {
      const std::string text = once[s].LinesToText();
      if (text == in_order[s].LinesToText() && text == reversed[s].LinesToText()) continue;
      std::fprintf(stderr, "MISMATCH in %s\n", s == 0 ? "txtsetup.sif" : "dosnet.inf");
      std::abort();  // libFuzzer keeps the input
    }
  }
  return 0;
}
