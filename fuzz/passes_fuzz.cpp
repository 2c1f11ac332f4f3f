// The passes walk each script once for all names; a run of the rules walks
// it once per name, in list order. On the cases of tests/cases (which seed
// it) as the fuzzer changes them, the one walk must leave what the walks
// name by name leave, in the list's order and in the reverse order.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "case_file.h"
#include "edit/dosnet_pass.h"
#include "edit/driver_names.h"
#include "edit/txtsetup_pass.h"
#include "host/line_list.h"

namespace vornix {
namespace {

void Clear(LineList scripts[2], const std::vector<std::string>& names) {
  ClearTxtsetupEntries(scripts[0], DriverNames(names));
  ClearDosnetEntries(scripts[1], DriverNames(names));
}

void ExpectSame(const char* what, const LineList& got, const LineList& expected) {
  for (int32_t i = 0; i < got.LineCount(); ++i) {
    if (got.LineView(i) == expected.LineView(i)) continue;
    std::fprintf(stderr, "MISMATCH in %s, line %d:\n", what, i + 1);
    for (const LineList* list : {&got, &expected}) {
      for (const unsigned char c : list->LineView(i)) std::fprintf(stderr, c >= 0x20 && c < 0x7F ? "%c" : "\\x%02X", c);
      std::fprintf(stderr, "\n");
    }
    std::abort();  // libFuzzer keeps the input
  }
}

}  // namespace
}  // namespace vornix

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vornix;
  for (Case& c : ParseCases(std::string_view(reinterpret_cast<const char*>(data), size), false)) {
    std::vector<std::string> names;  // as read, blank ones too; no empty one reaches the passes
    for (const std::string& name : c.files["txtfiles.del"])
      if (!name.empty()) names.push_back(name);
    LineList once[2];
    for (const std::string& line : c.files["txtsetup.sif"]) once[0].AddLine(line);
    for (const std::string& line : c.files["dosnet.inf"]) once[1].AddLine(line);
    LineList in_order[] = {once[0], once[1]}, reversed[] = {once[0], once[1]};
    Clear(once, names);
    for (size_t n = 0; n < names.size(); ++n) {
      Clear(in_order, {names[n]});
      Clear(reversed, {names[names.size() - 1 - n]});
    }
    for (int s = 0; s < 2; ++s) {
      ExpectSame(s == 0 ? "txtsetup.sif" : "dosnet.inf", once[s], in_order[s]);
      ExpectSame(s == 0 ? "txtsetup.sif, names reversed" : "dosnet.inf, names reversed", once[s], reversed[s]);
    }
  }
  return 0;
}
