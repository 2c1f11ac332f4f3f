// The one-walk passes against plain per-name walks, on the cases of
// tests/cases (which seed it) as the fuzzer changes them: their names,
// txtsetup.sif and dosnet.inf; the expectations are not read. Every name is
// passed as read, empty and blank ones included.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "case_file.h"
#include "edit/dosnet_pass.h"
#include "edit/driver_names.h"
#include "edit/text_rules.h"
#include "edit/txtsetup_pass.h"
#include "host/line_list.h"

namespace vornix {
namespace {

size_t PosNoCase(const std::string& needle, std::string_view haystack) {
  return PosExact(UpperAscii(needle), UpperAscii(haystack));
}

// The rules as plainly as they can be said: one walk per name and script.
void ReferenceRemoveDrivers(LineList& txtsetup, LineList& dosnet, const std::vector<std::string>& names) {
  enum Kind { kNone, kBeginsWith, kQuoted, kContains, kOwnFiles };
  for (const std::string& name : names) {
    if (name.empty()) continue;
    for (int32_t i = 0; i < dosnet.LineCount(); ++i)
      if (PosNoCase(name + ".sys", TrimBlanks(dosnet.GetLine(i))) > 0) dosnet.SetLine(i, "");
    const struct { std::string text; Kind kind; } headers[] = {
        {"[SourceDisksFiles]", kBeginsWith}, {"[SourceDisksFiles.amd64]", kBeginsWith},
        {"[SourceDisksFiles.ia64]", kBeginsWith}, {"[SourceDisksFiles.x86]", kBeginsWith},
        {"[SCSI]", kBeginsWith}, {"[SCSI.Load]", kBeginsWith}, {"[HardwareIdsDatabase]", kQuoted},
        {"[BusExtenders.Load]", kContains}, {"[BusExtenders]", kContains}, {"[files." + name + "]", kOwnFiles}};
    Kind kind = kNone;
    for (int32_t i = 0; i < txtsetup.LineCount(); ++i) {
      const std::string raw = txtsetup.GetLine(i), trimmed(TrimBlanks(raw));
      if (PosExact("[", raw) > 0) {
        kind = kNone;
        for (const auto& header : headers)
          if (SameNoCase(trimmed, header.text)) kind = header.kind;
        if (kind != kNone && kind != kOwnFiles) continue;  // a recognised header stays
      }
      if ((kind == kBeginsWith && PosNoCase(name, trimmed) == 1) || kind == kOwnFiles ||
          (kind == kQuoted && PosNoCase("\"" + name + "\"", trimmed) > 0) ||
          (kind == kContains && PosNoCase(name, trimmed) > 0))
        txtsetup.SetLine(i, "");
    }
  }
}

LineList ListOf(const std::vector<std::string>& lines) {
  LineList list;
  for (const std::string& line : lines) list.AddLine(line);
  return list;
}

void ExpectSame(const char* what, const LineList& got, const LineList& expected) {
  if (got.LinesToText() == expected.LinesToText()) return;
  std::fprintf(stderr, "MISMATCH in %s:\n%s\n-- expected --\n%s\n", what, got.LinesToText().c_str(),
               expected.LinesToText().c_str());
  std::abort();  // libFuzzer keeps the input
}

}  // namespace
}  // namespace vornix

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vornix;
  for (Case& c : ParseCases(std::string_view(reinterpret_cast<const char*>(data), size), false)) {
    const std::vector<std::string>& names = c.files["txtfiles.del"];
    LineList txtsetup = ListOf(c.files["txtsetup.sif"]), reference_txtsetup = txtsetup, reversed_txtsetup = txtsetup;
    LineList dosnet = ListOf(c.files["dosnet.inf"]), reference_dosnet = dosnet, reversed_dosnet = dosnet;
    ClearTxtsetupEntries(txtsetup, DriverNames(names));
    ClearDosnetEntries(dosnet, DriverNames(names));
    ReferenceRemoveDrivers(reference_txtsetup, reference_dosnet, names);
    ExpectSame("txtsetup.sif", txtsetup, reference_txtsetup);
    ExpectSame("dosnet.inf", dosnet, reference_dosnet);
    // The one walk rests on this: the order of the names does not matter.
    ReferenceRemoveDrivers(reversed_txtsetup, reversed_dosnet, {names.rbegin(), names.rend()});
    ExpectSame("txtsetup.sif, names reversed", reversed_txtsetup, txtsetup);
    ExpectSame("dosnet.inf, names reversed", reversed_dosnet, dosnet);
  }
  return 0;
}
